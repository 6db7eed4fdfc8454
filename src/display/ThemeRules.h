#pragma once

#include <QString>
#include <QStringList>

// The theme editor's rules for its fields, kept apart from the window so they can be checked alone.
namespace themeRules {

// A number as the editor accepts one: optional sign, digits, at most one decimal point.
bool isNumeric(const QString& text);

// "Colums" when it loses the focus: not a number becomes "2"; an empty width list, or one of default
// widths for another number of columns, then gets 2500 for every column ("2500;2500" for two).
void fixColumns(QString& columns, QString& colWidth);
QString fixRows(const QString& rows);        // not a number: "2"
QString fixRowHeight(const QString& height); // not a number: "200"
QString fixLineWidth(const QString& width);  // not a number or below 1: "1"
QString fixVolume(const QString& volume);    // not a number or above 10: "5"
QString fixDuration(const QString& seconds); // not a number: "5"

// What the "Column Width" field takes, as its hint says.
inline const QString columnWidthHint =
    QStringLiteral("One width per column in twips, separated by \";\": 2500;2500 for two columns. The board "
                   "doubles them: 2500 is about 330 pixels on a 96-dpi screen.");

// The column widths must be numbers separated by ";", one for each column ("chkVal").
bool chkVal(const QString& colWidth, const QString& columns);

// A file dialog filter written as "Jpeg Files(*.jpg)|*.jpg|GIF Files(*.gif)|*.gif" in the form the
// file dialog reads ("Jpeg Files (*.jpg);;GIF Files (*.gif)").
QString dialogFilter(const QString& pipeFilter);

} // namespace themeRules
