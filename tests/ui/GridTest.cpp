#include "ui/Grid.h"
#include "ui/Twips.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(Grid, RowZeroIsTheHeaderAndDataRowsCountFromOne)
{
    Grid g;
    g.setCols(3);
    g.setRows(1);
    EXPECT_EQ(g.rows(), 1);
    g.setText(0, 1, QStringLiteral("SN"));
    const int r = g.addRow({QStringLiteral("17"), QStringLiteral("1"), QStringLiteral("Lab")});
    EXPECT_EQ(r, 1);
    EXPECT_EQ(g.rows(), 2);
    EXPECT_EQ(g.text(0, 1), QStringLiteral("SN"));
    EXPECT_EQ(g.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("SN"));
    EXPECT_EQ(g.text(1, 0), QStringLiteral("17"));
    EXPECT_EQ(g.text(1, 2), QStringLiteral("Lab"));
    EXPECT_EQ(g.text(5, 0), QString()); // outside: empty, no crash
    g.clearRows();
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.text(0, 1), QStringLiteral("SN"));
}

TEST(Grid, OneTwipColumnsAreInvisibleAndWidthsAreKeptInTwips)
{
    Grid g;
    g.setCols(3);
    g.setColWidth(0, 1);
    g.setColWidth(1, 1440);
    EXPECT_TRUE(g.isColumnHidden(0));
    EXPECT_FALSE(g.isColumnHidden(1));
    EXPECT_EQ(g.colWidth(1), 1440);
    EXPECT_EQ(g.columnWidth(1), twips::toPixels(1440));
    EXPECT_EQ(twips::toPixels(1440, 96), 96);
    EXPECT_EQ(twips::toPixels(15, 96), 1);
    EXPECT_EQ(colorNumber::fromColor(QColor(255, 0, 0)), 255);
    EXPECT_EQ(colorNumber::fromColor(QColor(0, 255, 0)), 65280);
    EXPECT_EQ(colorNumber::toColor(16711680), QColor(0, 0, 255));
}

TEST(Grid, CellsCarryTheirOwnFontColoursAndPicture)
{
    Grid g;
    g.setCols(2);
    g.setRows(3);
    g.setCellFontName(2, 1, QStringLiteral("Liberation Serif"));
    g.setCellFontSize(2, 1, 24);
    g.setCellBold(2, 1, true);
    g.setCellBackColor(2, 1, QColor(0, 255, 0));
    g.setCellForeColor(2, 1, Qt::red);
    QPixmap p(8, 8);
    p.fill(Qt::blue);
    g.setCellPicture(2, 1, p);
    EXPECT_EQ(g.cellFont(2, 1).family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(g.cellFont(2, 1).pointSize(), 24);
    EXPECT_TRUE(g.cellFont(2, 1).bold());
    EXPECT_EQ(g.cellBackColor(2, 1), QColor(0, 255, 0));
    EXPECT_EQ(g.cellForeColor(2, 1), QColor(Qt::red));
    EXPECT_FALSE(g.cellPicture(2, 1).isNull());
    EXPECT_FALSE(g.cellBackColor(1, 1).isValid());
    EXPECT_FALSE(g.cellFont(1, 1).bold());
}

TEST(Grid, SelectionKeepsItsStartRowAndMovingEnd)
{
    Grid g;
    g.setCols(2);
    g.setRows(7);
    g.setRow(3);
    EXPECT_EQ(g.row(), 3);
    EXPECT_EQ(g.rowSel(), 3);
    g.setRowSel(5);
    EXPECT_EQ(g.row(), 3);
    EXPECT_EQ(g.rowSel(), 5);
    g.setRow(5);
    g.setRowSel(3);
    EXPECT_EQ(g.row(), 5);
    EXPECT_EQ(g.rowSel(), 3);
    EXPECT_EQ(g.firstSelectedRow(), 3);
    EXPECT_EQ(g.lastSelectedRow(), 5);
}

TEST(Grid, MouseSelectionAndDoubleClick)
{
    Grid g;
    g.setCols(2);
    g.setColWidth(0, 1);
    g.setColWidth(1, 2000);
    g.setRows(5);
    for (int r = 1; r < 5; ++r)
        g.setText(r, 1, QString::number(r));
    g.resize(300, 300);
    g.show();
    QSignalSpy spy(&g, &Grid::dblClick);
    const QRect second = g.visualRect(g.model()->index(1, 1));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(g.row(), 2);
    const QRect fourth = g.visualRect(g.model()->index(3, 1));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::ShiftModifier, fourth.center());
    EXPECT_EQ(g.row(), 2);
    EXPECT_EQ(g.rowSel(), 4);
    // A real double click: press and release, then the double-click event.
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(g.row(), 2);
}

TEST(Grid, MovingAColumnTakesTextsFormatsAndWidth)
{
    Grid g;
    g.setCols(4);
    g.setRows(3);
    g.setText(0, 2, QStringLiteral("Counter"));
    g.setText(0, 3, QStringLiteral("Second"));
    g.setText(1, 2, QStringLiteral("Room 1"));
    g.setText(1, 3, QStringLiteral("Kamra 1"));
    g.setCellBold(1, 3, true);
    g.setColWidth(2, 3000);
    g.setColWidth(3, 1500);
    g.moveColumn(3, 2);
    EXPECT_EQ(g.text(0, 2), QStringLiteral("Second"));
    EXPECT_EQ(g.text(1, 2), QStringLiteral("Kamra 1"));
    EXPECT_TRUE(g.cellFont(1, 2).bold());
    EXPECT_EQ(g.colWidth(2), 1500);
    EXPECT_EQ(g.text(1, 3), QStringLiteral("Room 1"));
    EXPECT_EQ(g.colWidth(3), 3000);
    g.moveColumn(3, 9); // out of range: nothing happens
    EXPECT_EQ(g.text(1, 3), QStringLiteral("Room 1"));
}

TEST(GridRow, PacksAnyTextAndReadsCellsBack)
{
    GridRow row({QStringLiteral("17"), QString(), QStringLiteral("Привет, 你好 😀"), QStringLiteral("a\tb")});
    EXPECT_EQ(row.size(), 4);
    EXPECT_EQ(row.text(0), QStringLiteral("17"));
    EXPECT_EQ(row.text(1), QString());
    EXPECT_EQ(row.text(2), QStringLiteral("Привет, 你好 😀"));
    EXPECT_EQ(row.text(3), QStringLiteral("a\tb"));
    EXPECT_EQ(row.text(4), QString()); // past the last cell
    EXPECT_EQ(row.text(-1), QString());

    // Writing past the end pads with empty cells; rewriting a cell leaves its neighbours alone.
    row.setText(6, QStringLiteral("far"));
    EXPECT_EQ(row.size(), 7);
    EXPECT_EQ(row.text(5), QString());
    EXPECT_EQ(row.text(6), QStringLiteral("far"));
    row.setText(2, QStringLiteral("é"));
    EXPECT_EQ(row.texts(),
              (QStringList{QStringLiteral("17"), QString(), QStringLiteral("é"), QStringLiteral("a\tb"),
                           QString(), QString(), QStringLiteral("far")}));

    EXPECT_EQ(row.take(0), QStringLiteral("17"));
    EXPECT_EQ(row.text(0), QString());
    row.insert(1, QStringLiteral("in"));
    EXPECT_EQ(row.text(1), QStringLiteral("in"));
    EXPECT_EQ(row.text(2), QStringLiteral("é"));
    row.truncate(2);
    EXPECT_EQ(row.texts(), (QStringList{QString(), QStringLiteral("in")}));
    row.truncate(0);
    EXPECT_EQ(row.size(), 0);

    row.appendNumber(0);
    row.appendNumber(-9223372036854775807LL - 1);
    row.appendNumber(1234567890123);
    EXPECT_EQ(row.texts(), (QStringList{QStringLiteral("0"), QStringLiteral("-9223372036854775808"),
                                        QStringLiteral("1234567890123")}));
}

TEST(Grid, RowsAddedInBatchesReadLikeAnyOther)
{
    Grid g;
    g.setCols(3);
    g.setText(0, 1, QStringLiteral("SN"));
    g.addRow({QStringLiteral("first")});
    g.setCellBold(1, 0, true);
    std::vector<GridRow> batch;
    for (int i = 0; i < 50000; ++i)
        batch.emplace_back(QStringList{QString::number(i), QStringLiteral("x"), QStringLiteral("y"),
                                       QStringLiteral("past the last column")});
    QSignalSpy inserted(g.model(), &QAbstractItemModel::rowsInserted);
    g.appendRows(std::move(batch));
    EXPECT_EQ(inserted.count(), 1) << "one step for the whole batch";
    EXPECT_EQ(g.rows(), 50002);
    EXPECT_EQ(g.text(1, 0), QStringLiteral("first"));
    EXPECT_TRUE(g.cellFont(1, 0).bold());
    EXPECT_EQ(g.text(2, 0), QStringLiteral("0"));
    EXPECT_EQ(g.text(50001, 0), QStringLiteral("49999"));
    EXPECT_EQ(g.text(50001, 2), QStringLiteral("y"));
    EXPECT_EQ(g.text(50001, 3), QString()) << "texts past the last column are not kept";
    EXPECT_FALSE(g.cellFont(2, 0).bold());

    // Fewer columns drop the texts and formats of the others; more columns come back empty.
    g.setCols(1);
    g.setCols(3);
    EXPECT_EQ(g.text(50001, 0), QStringLiteral("49999"));
    EXPECT_EQ(g.text(50001, 2), QString());
    EXPECT_EQ(g.text(0, 1), QString());
    g.setRows(2);
    EXPECT_EQ(g.rows(), 2);
    EXPECT_TRUE(g.cellFont(1, 0).bold());
    g.setRows(3);
    EXPECT_EQ(g.text(2, 0), QString()) << "a row added again starts empty";
}

TEST(Grid, CellSignalsCountDataRowsFromZero)
{
    Grid g;
    g.setCols(2);
    g.setRows(4);
    g.resize(300, 300);
    g.show();
    QSignalSpy clicked(&g, &Grid::cellClicked);
    QSignalSpy pressed(&g, &Grid::cellPressed);
    QSignalSpy selection(&g, &Grid::itemSelectionChanged);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(g.model()->index(2, 1)).center());
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 2);
    EXPECT_EQ(clicked.at(0).at(1).toInt(), 1);
    EXPECT_EQ(pressed.count(), 1);
    EXPECT_GE(selection.count(), 1);
    EXPECT_EQ(g.currentRow(), 2);
    EXPECT_EQ(g.row(), 3);
    EXPECT_EQ(g.selectedRowNumbers(), QList<int>{3});
}
