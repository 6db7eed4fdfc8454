#pragma once

#include <QString>

// The clock format of a theme as Qt's date and time formatting reads it. Themes from older
// installations use the other convention ("dd/mm/yyyy hh:nn AM/PM": "m" a month unless it follows
// an hour or precedes seconds, "n" minutes, "hh" 24-hour unless AM/PM is given); a format with an
// upper-case M or H is taken as written for Qt already and kept.
QString qtTimeFormat(const QString& format);

// The format the board's text clock runs with for a theme's stored format: the translation above,
// or the board's own "dd-MMM-yyyy HH:mm" when the theme gives none.
QString boardTimeFormat(const QString& stored);
