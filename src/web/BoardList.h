#pragma once

#include "core/ThemeChoice.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The page that lists the hall's boards (one per theme), each a link to its board page. When a board
// of a name the hall lacks was asked for, the page says so above the list.
QByteArray boardListPage(const QList<HallTheme>& themes, const QString& missingName = QString());

// The address of a theme's board page.
QString boardLink(const QString& themeName);
