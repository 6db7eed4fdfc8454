#include "reports/modExcel.h"

#include "core/AppContext.h"
#include "core/DbError.h"
#include "core/Session.h"
#include "reports/ExcelFiguresSheet.h"
#include "reports/ExcelSheetWriter.h"
#include "reports/ReportWindow.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/ProgramLauncher.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QWidget>

#include <cstdio>
#include <sys/stat.h>

#include <exception>

// Send to Excel: a workbook file per grid of the export target, opened for the user.
namespace modExcel {

namespace {

constexpr int MaxColumns = 255;

QString errorText(int number, const QString& description)
{
    return QCoreApplication::translate(
               "modExcel",
               "Error: %1 on line: 0\nDescription: %2\nin procedure Sheet2Excel of Form modFlexExcel")
        .arg(QString::number(number), description);
}

// The wait cursor while a long report is copied or written.
struct WaitCursor
{
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The process's file creation mask, read without changing it (umask() would, for every thread).
mode_t creationMask()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            bool ok = false;
            const uint mask = line.startsWith("Umask:") ? line.mid(6).trimmed().toUInt(&ok, 8) : 0;
            if (ok)
                return mode_t(mask);
        }
    }
    return 022;
}

QString fileStem(const QString& title)
{
    QString stem = sheetName(title);
    stem.replace(QRegularExpression(QStringLiteral("[^\\w .,()-]")), QStringLiteral("_"));
    return stem.isEmpty() ? QStringLiteral("Report") : stem;
}

} // namespace

bool exportGrid(Dialogs& dialogs, const GridModel& grid, const QString& title, const QString& file,
                QWidget* parent, const ReportFigures* figures)
{
    // Count what is visible before anything is written.
    int hiddenCols = 0;
    for (int c = 0; c < grid.cols(); ++c) {
        if (c < grid.colWidths.size() && grid.colWidths[c] == 0)
            ++hiddenCols;
    }
    const int visibleCols = grid.cols() - hiddenCols;
    if (visibleCols >= MaxColumns) {
        dialogs.message(QCoreApplication::translate(
                            "modExcel", "Sheet2Excel: %1 columns specified.\r\nThe maximum number of "
                                        "colums Excel can handle is 255")
                            .arg(visibleCols),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, parent);
        return false;
    }

    // The workbook is written beside the chosen file and put in its place only when complete, so a
    // failure never leaves half a workbook under the user's name (nor destroys the one there).
    const QFileInfo target(file);
    QTemporaryFile part(
        target.absoluteDir().filePath(QStringLiteral(".") + target.fileName() + QStringLiteral(".XXXXXX")));
    lxw_workbook* book = nullptr;
    if (part.open()) {
        part.close();
        // Without merges the rows go to disk as they are written, so a long listing does not have to
        // fit in memory twice over; merging needs every row kept until the end.
        const bool merges = grid.mergeRow.contains(true) || grid.mergeCol.contains(true);
        lxw_workbook_options options{};
        options.constant_memory = merges ? LXW_FALSE : LXW_TRUE;
        book = workbook_new_opt(QFile::encodeName(part.fileName()).constData(), &options);
    }
    if (!book) {
        dialogs.message(cannotWriteText(file), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, parent);
        return false;
    }

    // A name the workbook refuses leaves the sheet its default name.
    const QByteArray name = sheetName(title).toUtf8();
    const bool named =
        !name.isEmpty() && workbook_validate_sheet_name(book, name.constData()) == LXW_NO_ERROR;
    lxw_worksheet* sheet = workbook_add_worksheet(book, named ? name.constData() : nullptr);

    const QVector<QColor> palette = collectPalette(grid);
    bool copied = false;
    try {
        const WaitCursor busy; // gone again before any message
        if (!sheet)
            throw WriteFailure{LXW_ERROR_MEMORY_MALLOC_FAILED};
        writeSheet(book, sheet, grid, palette);
        if (figures)
            writeFiguresSheet(book, *figures);
        copied = true;
    } catch (const WriteFailure& failure) {
        dialogs.message(errorText(int(failure.error), QString::fromUtf8(lxw_strerror(failure.error))),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, parent);
    }
    lxw_error closed = LXW_NO_ERROR;
    {
        const WaitCursor busy;
        closed = workbook_close(book);
    }
    if (!copied)
        return false;
    if (closed != LXW_NO_ERROR) {
        dialogs.message(errorText(int(closed), QString::fromUtf8(lxw_strerror(closed))), Dialogs::Buttons::Ok,
                        Dialogs::Icon::Critical, {}, parent);
        return false;
    }
    if (std::rename(QFile::encodeName(part.fileName()).constData(), QFile::encodeName(file).constData()) !=
        0) {
        dialogs.message(cannotWriteText(file), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, parent);
        return false;
    }
    part.setAutoRemove(false); // it is the workbook now
    // The part was private to this user. The workbook holds the hall's tokens and counter names: it
    // gets the mode any file saved here gets, except that other users of the machine may not read it.
    ::chmod(QFile::encodeName(file).constData(), 0660 & ~creationMask());
    return true;
}

QString suggestedFileName(const QWidget& window, const QDate& day)
{
    QString stem = window.property(ExportNameProperty).toString();
    if (stem.isEmpty())
        stem = fileStem(window.windowTitle());
    return stem + QLatin1Char(' ') + day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".xlsx");
}

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir().mkpath(documents))
        return documents;
    return QDir::homePath();
}

QString savedText(const QString& file)
{
    return QCoreApplication::translate(
               "modExcel", "The workbook was saved as\n%1\nNo spreadsheet program is set up to open it "
                           "on this computer.")
        .arg(QDir::toNativeSeparators(file));
}

QString stillFillingText()
{
    return QCoreApplication::translate(
        "modExcel", "The report is still being listed.\nSend it to Excel when all its rows are shown.");
}

QString cannotWriteText(const QString& file)
{
    return QCoreApplication::translate(
               "modExcel", "The workbook cannot be written to\n%1\nChoose another folder or name.")
        .arg(QDir::toNativeSeparators(file));
}

QString replaceWorkbookText(const QString& file)
{
    return QCoreApplication::translate("modExcel", "%1 already exists.\nDo you want to replace it?")
        .arg(QDir::toNativeSeparators(file));
}

QString askWorkbookName(Dialogs& dialogs, const QString& suggested, QWidget* parent)
{
    QString offered = suggested;
    for (;;) {
        QString file = dialogs.saveFileName(
            QCoreApplication::translate("modExcel", "Send to Excel"),
            QCoreApplication::translate("modExcel", "Excel Workbook (*.xlsx)"), offered, parent);
        if (file.isEmpty())
            return {};
        if (file.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
            return file; // the dialog itself asked about replacing this very name
        // The dialog checked the name as typed; the workbook gets the suffix only now, so a file
        // of the completed name is asked about here.
        file += QStringLiteral(".xlsx");
        if (!QFileInfo::exists(file) ||
            dialogs.message(replaceWorkbookText(file), Dialogs::Buttons::YesNo, Dialogs::Icon::Warning,
                            QCoreApplication::translate("modExcel", "Send to Excel"),
                            parent) == Dialogs::Answer::Yes)
            return file;
        offered = file;
    }
}

void sendToExcel(AppContext& ctx)
{
    auto cannotContinue = [&ctx](QWidget* parent) {
        ctx.dialogs.message(QCoreApplication::translate("modExcel", "Error. Cannot Continue "),
                            Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, parent);
    };
    QPointer<QWidget> target = ctx.session.activeReport;
    if (!target) {
        cannotContinue(nullptr);
        return;
    }
    try {
        // Let the menu close and the window repaint before the copying starts.
        QCoreApplication::processEvents();
        if (!target) {
            cannotContinue(nullptr);
            return;
        }
        if (target->property(StillFillingProperty).toBool()) {
            ctx.dialogs.message(stillFillingText(), Dialogs::Buttons::Ok, Dialogs::Icon::Information, {},
                                target);
            return;
        }
        const QList<Grid*> grids = target->findChildren<Grid*>();
        if (grids.isEmpty()) {
            cannotContinue(target);
            return;
        }
        const QString title = target->windowTitle();
        QVector<GridModel> models;
        {
            const WaitCursor busy;
            for (const Grid* grid : grids)
                models.append(gridModel(*grid));
        }
        const QString suggested =
            QDir(documentsFolder()).filePath(suggestedFileName(*target, ctx.clock.today()));
        for (qsizetype i = 0; i < models.size(); ++i) {
            const QString file = askWorkbookName(ctx.dialogs, suggested, target);
            if (file.isEmpty())
                return; // cancelled
            // A report's workbook holds its figures and charts beside the grid, as the window shows them.
            const auto* report = qobject_cast<const ReportWindow*>(target.data());
            if (!exportGrid(ctx.dialogs, models[i], title, file, target,
                            report ? &report->figures() : nullptr))
                return;
            if (!ctx.launcher.openDocument(file))
                ctx.dialogs.message(savedText(file), Dialogs::Buttons::Ok, Dialogs::Icon::Information, {},
                                    target);
        }
    } catch (const DbError&) {
        cannotContinue(target);
    } catch (const std::exception&) {
        cannotContinue(target);
    }
}

} // namespace modExcel
