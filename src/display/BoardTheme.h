#pragma once

#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

class Database;

// The number at the start of a text, as the theme's text fields are read: "12px" gives 12, "abc"
// gives 0.
double leadingNumber(const QString& text);

// What the display board takes from its theme row, with every stored length already doubled
// (themes keep them at half scale). Fields the row cannot supply keep these defaults.
struct BoardTheme
{
    bool found = false;

    QString title; // empty: no title line
    QString titleFont;
    QColor titleColor = Qt::black;
    double titleSize = 0;
    bool scrollTitle = false;

    bool showTime = false;
    QString clockFile;
    QString timeFont;
    double timeSize = 0;
    QColor timeColor = Qt::black;
    QString timeFormat = QStringLiteral("dd-MMM-yyyy HH:mm");
    QString logo;

    QString bgImage;
    QColor screenBg = QColor(0xf0, 0xf0, 0xf0);

    int cols = 3;     // grid columns: the theme's data columns plus the hidden key column
    int dataRows = 0; // call rows under the header
    bool headerOn = false;
    QStringList headers; // one caption per grid column; [0] unused

    QColor lineColor = QColor(0x80, 0x80, 0x80);
    QColor tableBg = Qt::white;
    QColor headerBg = QColor(0xc0, 0xc0, 0xc0);
    QColor headerFore = Qt::black;
    QColor altColor = Qt::white;
    int rowHeight = 0;      // twips
    QVector<int> colWidths; // twips per grid column; 0 = not given, keep the grid's own
    QString tokenFont;
    double tokenSize = 0;
    QColor tokenColor = Qt::black;
    QString headerFont;
    double headerSize = 0;
    QString valueFont;
    double valueSize = 0;
    QColor valueColor = Qt::black;
    QString img1;
    QString img2;
    int lineWidth = 1;
    bool movie = false;
    int volume = 5; // 0..10
    QColor newsBg = Qt::black;
};

// The positions of the board's blocks, doubled from the stored scale, in twips: the theme's layout
// row over the default layout for the screen.
struct BoardLayout
{
    bool found = false; // the theme has a layout row
    QRect logo, time, table, video, title, news;
    int width = 0;
    int height = 0;
    QColor newsBg;
};

// The theme row with key themeId ("start"); a missing row gives found == false and the defaults.
BoardTheme loadBoardTheme(Database& db, qint64 themeId);
// The layout of the theme for a screen of that size in twips ("getpos"). Every value of the row that
// can be applied counts; a missing row (found == false) or a value that cannot be applied leaves the
// default layout's.
BoardLayout loadBoardLayout(Database& db, qint64 themeId, const QSize& screenTwips);
// Overwrites the header captions from the theme's tblheader row, when there is one ("getData").
void applyHeaderCaptions(Database& db, qint64 themeId, BoardTheme& theme);
