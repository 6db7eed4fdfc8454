#include "reports/modExcel.h"

#include "core/AppContext.h"
#include "core/DbError.h"
#include "core/Session.h"
#include "reports/ExcelSheetWriter.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/ProgramLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <exception>

// Send to Excel: a workbook file per grid of the export target, opened for the user.
namespace modExcel {

namespace {

constexpr int MaxColumns = 255;

QString errorText(int number, const QString& description)
{
    return QStringLiteral("Error: ") + QString::number(number) +
           QStringLiteral(" on line: 0\nDescription: ") + description +
           QStringLiteral("\nin procedure Sheet2Excel of Form modFlexExcel");
}

QString fileStem(const QString& title)
{
    QString stem = sheetName(title);
    stem.replace(QRegularExpression(QStringLiteral("[^\\w .,()-]")), QStringLiteral("_"));
    return stem.isEmpty() ? QStringLiteral("Report") : stem;
}

} // namespace

QString exportGrid(Dialogs& dialogs, const GridModel& grid, const QString& title, const QString& folder,
                   QWidget* parent)
{
    // Count what is visible before anything is written.
    int hiddenCols = 0;
    for (int c = 0; c < grid.cols(); ++c) {
        if (c < grid.colWidths.size() && grid.colWidths[c] == 0)
            ++hiddenCols;
    }
    const int visibleCols = grid.cols() - hiddenCols;
    if (visibleCols >= MaxColumns) {
        dialogs.message(
            QStringLiteral("Sheet2Excel: ") + QString::number(visibleCols) +
                QStringLiteral(" columns specified.\r\nThe maximum number of colums Excel can handle is 255"),
            Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, parent);
        return QString();
    }

    QTemporaryFile placeholder(QDir(folder).filePath(fileStem(title) + QStringLiteral("-XXXXXX.xlsx")));
    placeholder.setAutoRemove(false);
    if (!placeholder.open()) {
        dialogs.message(QStringLiteral("Error: ") + QString::number(int(LXW_ERROR_CREATING_XLSX_FILE)) +
                            QStringLiteral(" on line: 0\nDescription: \nFirst open Excel and try again "),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, parent);
        return QString();
    }
    const QString file = placeholder.fileName();
    placeholder.close();

    lxw_workbook* book = workbook_new(QFile::encodeName(file).constData());
    if (!book) {
        QFile::remove(file);
        dialogs.message(QStringLiteral("Error: ") + QString::number(int(LXW_ERROR_CREATING_XLSX_FILE)) +
                            QStringLiteral(" on line: 0\nDescription: \nFirst open Excel and try again "),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, parent);
        return QString();
    }

    // A name the workbook refuses leaves the sheet its default name.
    const QByteArray name = sheetName(title).toUtf8();
    const bool named =
        !name.isEmpty() && workbook_validate_sheet_name(book, name.constData()) == LXW_NO_ERROR;
    lxw_worksheet* sheet = workbook_add_worksheet(book, named ? name.constData() : nullptr);

    const QVector<QColor> palette = collectPalette(grid);
    bool copied = false;
    try {
        if (!sheet)
            throw WriteFailure{LXW_ERROR_MEMORY_MALLOC_FAILED};
        writeSheet(book, sheet, grid, palette);
        copied = true;
    } catch (const WriteFailure& failure) {
        dialogs.message(errorText(int(failure.error), QString::fromUtf8(lxw_strerror(failure.error))),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, parent);
    }
    const lxw_error closed = workbook_close(book);
    if (!copied) {
        QFile::remove(file);
        return QString();
    }
    if (closed != LXW_NO_ERROR) {
        QFile::remove(file);
        dialogs.message(errorText(int(closed), QString::fromUtf8(lxw_strerror(closed))), Dialogs::Buttons::Ok,
                        Dialogs::Icon::Critical, {}, parent);
        return QString();
    }
    return file;
}

void sendToExcel(AppContext& ctx)
{
    auto cannotContinue = [&ctx](QWidget* parent) {
        ctx.dialogs.message(QStringLiteral("Error. Cannot Continue "), Dialogs::Buttons::Ok,
                            Dialogs::Icon::None, {}, parent);
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
        const QList<Grid*> grids = target->findChildren<Grid*>();
        if (grids.isEmpty()) {
            cannotContinue(target);
            return;
        }
        const QString title = target->windowTitle();
        QVector<GridModel> models;
        for (const Grid* grid : grids)
            models.append(gridModel(*grid));
        for (const GridModel& model : models) {
            const QString file = exportGrid(ctx.dialogs, model, title, QDir::tempPath(), target);
            if (file.isEmpty())
                return;
            if (!ctx.launcher.startDetached(QStringLiteral("xdg-open"), {file})) {
                cannotContinue(target);
                return;
            }
        }
    } catch (const DbError&) {
        cannotContinue(target);
    } catch (const std::exception&) {
        cannotContinue(target);
    }
}

} // namespace modExcel
