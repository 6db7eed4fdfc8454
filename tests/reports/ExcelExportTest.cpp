#include "reports/modExcel.h"

#include "ReportsSupport.h"
#include "reports/ReportWindow.h"
#include "ui/Grid.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <sys/stat.h>

using namespace reportstest;
using modExcel::GridModel;

namespace {

// The shared strings of the workbook, in their order.
QStringList sharedStrings(const QString& file)
{
    QStringList strings;
    const QRegularExpression item(QStringLiteral("<si><t[^>]*>([^<]*)</t></si>"));
    for (const QRegularExpressionMatch& m :
         item.globalMatch(part(file, QStringLiteral("xl/sharedStrings.xml"))))
        strings.append(m.captured(1));
    return strings;
}

// A cell's XML element from sheet1.xml, e.g. cell(xml, "A1").
QString cellXml(const QString& sheet, const QString& ref)
{
    const QRegularExpression c(QStringLiteral("<c r=\"%1\"[^>]*(/>|>.*?</c>)").arg(ref));
    return c.match(sheet).captured(0);
}

// Whether a cell holds a string, kept in the workbook's shared strings or in the cell itself.
bool isString(const QString& xml)
{
    return xml.contains(QStringLiteral("t=\"s\"")) || xml.contains(QStringLiteral("t=\"inlineStr\""));
}

// The text a string cell shows.
QString cellText(const QString& file, const QString& sheet, const QString& ref)
{
    const QString xml = cellXml(sheet, ref);
    if (xml.contains(QStringLiteral("t=\"inlineStr\""))) {
        const QRegularExpression t(QStringLiteral("<is><t[^>]*>([^<]*)</t></is>"));
        return t.match(xml).captured(1);
    }
    if (!xml.contains(QStringLiteral("t=\"s\"")))
        return QString();
    const QRegularExpression v(QStringLiteral("<v>(\\d+)</v>"));
    return sharedStrings(file).value(v.match(xml).captured(1).toInt());
}

GridModel plainModel(int rows, int cols)
{
    GridModel m;
    m.resize(rows, cols);
    m.rowHeights.fill(240, rows);
    m.colWidths.fill(1200, cols);
    m.mergeRow.fill(false, rows);
    m.mergeCol.fill(false, cols);
    return m;
}

void coloured(GridModel& m, int row, int col, const QColor& back, const QColor& fore)
{
    modExcel::Cell cell = m.cell(row, col);
    cell.back = back;
    cell.fore = fore;
    m.setCell(row, col, cell);
}

} // namespace

class ExcelExportTest : public StoreTest
{
};

TEST_P(ExcelExportTest, ReportGridBecomesAWorkbookNamedAfterTheWindow)
{
    const Hall h = seedHall(env->db);
    env->clock.set(QDateTime(QDate(2021, 8, 22), QTime(12, 0)));
    const QString day = QStringLiteral("2021-08-22");
    served(env->db, h.consultation, QStringLiteral("A101"), day, h.counter1, QStringLiteral("09:00:00"),
           QStringLiteral("09:04:00"));
    served(env->db, h.consultation, QStringLiteral("007"), day, h.counter2, QStringLiteral("09:10:00"),
           QStringLiteral("09:20:00"));
    served(env->db, h.lab, QStringLiteral("B100"), day, h.counter3, QStringLiteral("10:00:00"));

    auto* w = qobject_cast<ReportWindow*>(env->screens.open(QStringLiteral("deptBased")));
    ASSERT_TRUE(w);
    ASSERT_TRUE(listed(w));
    ASSERT_EQ(w->FG->rows(), 4);

    const QString file = env->path(QStringLiteral("department.xlsx"));
    const mode_t mask = ::umask(022);
    const bool exported =
        modExcel::exportGrid(env->dialogs, modExcel::gridModel(*w->FG), w->windowTitle(), file);
    ::umask(mask);
    ASSERT_TRUE(exported) << env->dialogs.last().toStdString();
    EXPECT_TRUE(env->dialogs.texts().isEmpty());
    ASSERT_GT(QFileInfo(file).size(), 0);
    // Readable as any file the user saves, not private like the part it was written as, but never by
    // every user of the machine: it holds the hall's data.
    EXPECT_TRUE(QFileInfo(file).permissions() & QFileDevice::ReadGroup);
    EXPECT_FALSE(QFileInfo(file).permissions() & QFileDevice::ReadOther);
    if (!haveUnzip())
        GTEST_SKIP() << "unzip is not installed (scripts/packages.txt names it); only the file was checked";

    EXPECT_TRUE(part(file, QStringLiteral("xl/workbook.xml"))
                    .contains(QStringLiteral("name=\"Report-Department Based\"")));
    const QString sheet = part(file, QStringLiteral("xl/worksheets/sheet1.xml"));
    // The header row and three tickets, from A1; the one-twip key column is the first sheet column.
    EXPECT_EQ(sheet.count(QStringLiteral("<row ")), 4);
    EXPECT_TRUE(sheet.contains(QStringLiteral("<dimension ref=\"A1:O4\"/>")))
        << sheet.left(400).toStdString();
    EXPECT_EQ(cellText(file, sheet, QStringLiteral("B1")), QStringLiteral("SN"));
    EXPECT_EQ(cellText(file, sheet, QStringLiteral("K1")), QStringLiteral("Waiting"));
    EXPECT_EQ(cellText(file, sheet, QStringLiteral("L1")), QStringLiteral("Status"));
    EXPECT_EQ(cellText(file, sheet, QStringLiteral("N1")), QStringLiteral("Why Called"));
    // Counts and minutes are numbers a spreadsheet can sum; labels and number texts a number would
    // change stay text (leading zeros kept); dates and times become date values.
    EXPECT_FALSE(isString(cellXml(sheet, QStringLiteral("A2"))));
    EXPECT_TRUE(cellXml(sheet, QStringLiteral("A2"))
                    .contains(QStringLiteral("<v>") + w->FG->text(1, 0) + QStringLiteral("</v>")));
    EXPECT_TRUE(cellXml(sheet, QStringLiteral("B3")).contains(QStringLiteral("<v>2</v>")));
    EXPECT_FALSE(isString(cellXml(sheet, QStringLiteral("J3"))));
    EXPECT_TRUE(cellXml(sheet, QStringLiteral("J3")).contains(QStringLiteral("<v>10</v>")));
    EXPECT_FALSE(isString(cellXml(sheet, QStringLiteral("K3"))));
    EXPECT_TRUE(cellXml(sheet, QStringLiteral("K3")).contains(QStringLiteral("<v>70</v>")));
    EXPECT_EQ(cellText(file, sheet, QStringLiteral("L3")), QStringLiteral("Finished"));
    EXPECT_EQ(cellText(file, sheet, QStringLiteral("L4")), QStringLiteral("Called"));
    EXPECT_EQ(cellText(file, sheet, QStringLiteral("M3")), QStringLiteral("Room 2"));
    EXPECT_EQ(cellText(file, sheet, QStringLiteral("E2")), QStringLiteral("A101"));
    EXPECT_EQ(cellText(file, sheet, QStringLiteral("E3")), QStringLiteral("007"));
    EXPECT_FALSE(isString(cellXml(sheet, QStringLiteral("F2"))));
    EXPECT_TRUE(cellXml(sheet, QStringLiteral("F2")).contains(QStringLiteral("<v>44430</v>")));
    EXPECT_TRUE(cellXml(sheet, QStringLiteral("H2")).contains(QStringLiteral("<v>0.375</v>")));
    const QString styles = part(file, QStringLiteral("xl/styles.xml"));
    EXPECT_TRUE(styles.contains(QStringLiteral("formatCode=\"yyyy-mm-dd\"")));
    EXPECT_TRUE(styles.contains(QStringLiteral("formatCode=\"hh:mm:ss\"")));
    // The header keeps its colours: white bold text on the header's blue.
    EXPECT_TRUE(styles.contains(QStringLiteral("FF2F4F6F")));
    EXPECT_TRUE(styles.contains(QStringLiteral("<b/>")));
    // Columns are fitted: the wide empty filler column keeps the default width.
    EXPECT_TRUE(sheet.contains(QStringLiteral("<cols>")));
    EXPECT_FALSE(sheet.contains(QStringLiteral("min=\"15\"")));
    QFile::remove(file);
}

TEST_P(ExcelExportTest, SendToExcelExportsTheActiveReportOrRefuses)
{
    env->session.activeReport = nullptr;
    env->screens.run(QStringLiteral("sendto"));
    EXPECT_EQ(env->dialogs.texts(), QStringList{QStringLiteral("Error. Cannot Continue ")});
    EXPECT_TRUE(env->launcher.opened.isEmpty());

    seedHall(env->db);
    QWidget* w = env->screens.open(QStringLiteral("pendRep"));
    ASSERT_TRUE(listed(qobject_cast<ReportWindow*>(w)));
    QApplication::setActiveWindow(w);
    ASSERT_EQ(env->session.activeReport, w);
    // The save dialog offers the documents folder and a name after the report and the day; the
    // workbook is written where the user chose and opened from there.
    const QString chosen = env->path(QStringLiteral("Pending today"));
    env->dialogs.setNextFileName(chosen);
    env->dialogs.clear();
    env->screens.run(QStringLiteral("sendto"));
    EXPECT_TRUE(env->dialogs.texts().isEmpty()) << env->dialogs.last().toStdString();
    ASSERT_EQ(env->dialogs.suggestedFiles.size(), 1);
    EXPECT_EQ(QFileInfo(env->dialogs.suggestedFiles[0]).fileName(),
              QStringLiteral("Pending report %1.xlsx")
                  .arg(env->clock.today().toString(QStringLiteral("yyyy-MM-dd"))));
    EXPECT_EQ(QFileInfo(env->dialogs.suggestedFiles[0]).absolutePath(), modExcel::documentsFolder());
    EXPECT_EQ(env->launcher.opened, QStringList{chosen + QStringLiteral(".xlsx")});
    EXPECT_TRUE(QFileInfo::exists(chosen + QStringLiteral(".xlsx")));
    EXPECT_EQ(QDir(env->path(QString())).entryList({QStringLiteral("*.xlsx*")}, QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Pending today.xlsx")})
        << "nothing is left beside it";

    // Without a program to open it the user is told where it is; a cancelled dialog writes nothing.
    env->launcher.canOpen = false;
    env->dialogs.setNextFileName(env->path(QStringLiteral("again.xlsx")));
    env->screens.run(QStringLiteral("sendto"));
    EXPECT_EQ(env->dialogs.last(), modExcel::savedText(env->path(QStringLiteral("again.xlsx"))));
    EXPECT_TRUE(QFileInfo::exists(env->path(QStringLiteral("again.xlsx"))));
    env->dialogs.clear();
    env->screens.run(QStringLiteral("sendto"));
    EXPECT_TRUE(env->dialogs.texts().isEmpty());
    EXPECT_EQ(env->launcher.opened.size(), 2);

    // A name typed without ".xlsx" next to a workbook of that name: asked first. No asks for another
    // name (cancelled here) and leaves the workbook as it was; Yes replaces it.
    QFile keep(env->path(QStringLiteral("Keep.xlsx")));
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.write("the manager's own workbook");
    keep.close();
    env->dialogs.clear();
    env->dialogs.setNextFileName(env->path(QStringLiteral("Keep")));
    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    env->screens.run(QStringLiteral("sendto"));
    EXPECT_EQ(env->dialogs.texts(),
              QStringList{modExcel::replaceWorkbookText(env->path(QStringLiteral("Keep.xlsx")))});
    EXPECT_EQ(env->dialogs.suggestedFiles.last(), env->path(QStringLiteral("Keep.xlsx")));
    EXPECT_EQ(QFileInfo(env->path(QStringLiteral("Keep.xlsx"))).size(), 26);
    env->dialogs.setNextFileName(env->path(QStringLiteral("Keep")));
    env->dialogs.setNextAnswer(Dialogs::Answer::Yes);
    env->screens.run(QStringLiteral("sendto"));
    EXPECT_GT(QFileInfo(env->path(QStringLiteral("Keep.xlsx"))).size(), 1000);

    // A folder that cannot be written says so and leaves nothing behind.
    env->dialogs.setNextFileName(env->path(QStringLiteral("no such folder/x.xlsx")));
    env->screens.run(QStringLiteral("sendto"));
    EXPECT_EQ(env->dialogs.last(),
              modExcel::cannotWriteText(env->path(QStringLiteral("no such folder/x.xlsx"))));

    // A window that has closed is no target any more.
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    env->dialogs.clear();
    env->screens.run(QStringLiteral("sendto"));
    EXPECT_EQ(env->dialogs.texts(), QStringList{QStringLiteral("Error. Cannot Continue ")});
}

BRIVANE_STORE_TEST_SUITE(ExcelExportTest);

TEST(SheetRules, SheetNamesValuesAndTooManyColumns)
{
    EXPECT_EQ(modExcel::sheetName(QStringLiteral("  Report: 1/2 [draft]? \"x\" ")),
              QStringLiteral("Report 12 draft x"));
    EXPECT_EQ(modExcel::sheetName(QStringLiteral("A very long report caption that goes on")).size(), 31);

    EXPECT_FALSE(modExcel::sheetValue(QStringLiteral("007")).isDateTime);
    EXPECT_FALSE(modExcel::sheetValue(QStringLiteral("12.5")).isDateTime);
    EXPECT_FALSE(modExcel::sheetValue(QStringLiteral("A101")).isDateTime);
    EXPECT_FALSE(modExcel::sheetValue(QStringLiteral("2021-02-30")).isDateTime);
    const modExcel::SheetValue date = modExcel::sheetValue(QStringLiteral("22-08-2021"));
    EXPECT_TRUE(date.isDateTime);
    EXPECT_EQ(date.serial, 44430);
    EXPECT_EQ(date.numberFormat, QStringLiteral("dd-mm-yyyy"));
    EXPECT_DOUBLE_EQ(modExcel::sheetValue(QStringLiteral("18:00")).serial, 0.75);
    // The forms the reports list.
    const modExcel::SheetValue day = modExcel::sheetValue(QStringLiteral("2021-08-22"));
    EXPECT_TRUE(day.isDateTime);
    EXPECT_EQ(day.serial, 44430);
    EXPECT_EQ(day.numberFormat, QStringLiteral("yyyy-mm-dd"));
    const modExcel::SheetValue time = modExcel::sheetValue(QStringLiteral("23:59:59"));
    EXPECT_TRUE(time.isDateTime);
    EXPECT_DOUBLE_EQ(time.serial, 86399 / 86400.0);
    EXPECT_EQ(time.numberFormat, QStringLiteral("hh:mm:ss"));
    for (const char* text : {"24:00:00", "09:60:00", "2021-13-01", "1899-12-31", "2021-08-2x"}) {
        const modExcel::SheetValue v = modExcel::sheetValue(QString::fromLatin1(text));
        EXPECT_FALSE(v.isDateTime) << text;
        EXPECT_EQ(v.text, QString::fromLatin1(text));
    }

    TestEnv env;
    GridModel wide = plainModel(2, 301);
    wide.colWidths[5] = 0; // one hidden column leaves 300 visible
    EXPECT_FALSE(
        modExcel::exportGrid(env.dialogs, wide, QStringLiteral("Wide"), env.path(QStringLiteral("w.xlsx"))));
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Sheet2Excel: 300 columns specified.\r\n"
                                                 "The maximum number of colums Excel can handle is 255"));
    EXPECT_TRUE(QDir(env.path(QString())).entryList({QStringLiteral("*.xlsx")}).isEmpty());
}

TEST(SheetRules, PaletteKeepsFiftySixColoursAndMapsTheRest)
{
    GridModel m = plainModel(3, 40);
    m.backColor = Qt::white;
    m.foreColor = Qt::black;
    m.backColorFixed = QColor(0x2f, 0x4f, 0x6f);
    m.foreColorFixed = Qt::white; // a repeat of the background
    for (int c = 0; c < 40; ++c) {
        coloured(m, 1, c, QColor(c * 6, 10, 10), QColor());
        coloured(m, 2, c, QColor(), QColor(10, c * 6, 10));
        coloured(m, 0, c, QColor(1, 2, 3), QColor()); // header cells do not count
    }
    coloured(m, 2, 0, Qt::white, QColor(10, 0, 10)); // the grid's own background is not repeated
    const QVector<QColor> palette = modExcel::collectPalette(m);
    ASSERT_EQ(palette.size(), 56);
    EXPECT_EQ(palette[0], QColor(Qt::white));
    EXPECT_EQ(palette[1], QColor(0x2f, 0x4f, 0x6f));
    EXPECT_EQ(palette[2], QColor(Qt::black));
    EXPECT_FALSE(palette.contains(QColor(1, 2, 3)));
    EXPECT_EQ(modExcel::nearestPaletteColor(palette, QColor(0x2f, 0x4f, 0x6f)), QColor(0x2f, 0x4f, 0x6f));
    EXPECT_EQ(modExcel::nearestPaletteColor({Qt::white, Qt::black}, QColor(200, 210, 220)),
              QColor(Qt::white));
}

TEST(SheetRules, EqualNeighboursMergeWhereAsked)
{
    if (!haveUnzip())
        GTEST_SKIP() << "unzip is not installed";
    TestEnv env;
    GridModel m = plainModel(4, 4);
    const char* texts[4][4] = {
        {"H", "H", "H", "X"}, {"a", "a", "a", "b"}, {"k", "a", "d", "d"}, {"k", "e", "d", "f"}};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c)
            m.setText(r, c, QString::fromLatin1(texts[r][c]));
    }
    m.mergeRow[0] = true;
    m.mergeRow[1] = true;
    m.mergeCol[0] = true;
    m.mergeCol[1] = true; // B2:B3 would cut into the merged A2:C2 and stays apart
    m.mergeCol[2] = true;
    m.colWidths[3] = 0; // hidden: never merged, not exported
    const QString file = env.path(QStringLiteral("merged.xlsx"));
    ASSERT_TRUE(modExcel::exportGrid(env.dialogs, m, QStringLiteral("Merged"), file));
    const QString sheet = part(file, QStringLiteral("xl/worksheets/sheet1.xml"));
    QStringList merges;
    const QRegularExpression ref(QStringLiteral("<mergeCell ref=\"([A-Z0-9:]+)\"/>"));
    for (const QRegularExpressionMatch& match : ref.globalMatch(sheet))
        merges.append(match.captured(1));
    merges.sort();
    // Rows 1 and 2 merge A..C; columns A and C merge rows 3..4 (the fixed header row never joins a
    // column's merge).
    EXPECT_EQ(merges, (QStringList{QStringLiteral("A1:C1"), QStringLiteral("A2:C2"), QStringLiteral("A3:A4"),
                                   QStringLiteral("C3:C4")}));
    EXPECT_TRUE(sheet.contains(QStringLiteral("<dimension ref=\"A1:C4\"/>")));
}

TEST(SheetRules, TheModelKeepsEveryCellsTextAndLook)
{
    GridModel m = plainModel(3, 3);
    modExcel::Cell red;
    red.text = QStringLiteral("Привет");
    red.fore = Qt::red;
    red.bold = true;
    red.fontName = QStringLiteral("Liberation Serif");
    red.fontSize = 14;
    m.setCell(1, 2, red);
    red.text = QStringLiteral("second");
    m.setCell(2, 0, red);
    m.setText(0, 1, QStringLiteral("SN"));

    const modExcel::Cell back = m.cell(1, 2);
    EXPECT_EQ(back.text, QStringLiteral("Привет"));
    EXPECT_EQ(back.fore, QColor(Qt::red));
    EXPECT_TRUE(back.bold);
    EXPECT_EQ(back.fontName, QStringLiteral("Liberation Serif"));
    EXPECT_EQ(back.fontSize, 14);
    EXPECT_EQ(m.cell(2, 0).text, QStringLiteral("second"));
    EXPECT_TRUE(m.look(2, 0).looksLike(red));
    EXPECT_EQ(m.text(0, 1), QStringLiteral("SN"));
    // The others keep the default look; outside the grid reads as an empty default cell.
    EXPECT_FALSE(m.look(1, 1).bold);
    EXPECT_FALSE(m.look(1, 1).fore.isValid());
    EXPECT_EQ(m.text(5, 5), QString());
    EXPECT_FALSE(m.look(-1, 0).bold);
    // A text changed later keeps the cell's look.
    m.setText(1, 2, QStringLiteral("again"));
    EXPECT_EQ(m.cell(1, 2).text, QStringLiteral("again"));
    EXPECT_TRUE(m.look(1, 2).bold);
}
