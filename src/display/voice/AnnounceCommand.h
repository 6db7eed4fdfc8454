#pragma once

#include <QStringList>
#include <QTextStream>

struct AppContext;

// brivane-ctl announce LABEL --counter NAME [--print]: what the announcer says when the board shows
// LABEL called to the counter NAME (its name or its display name), played through the speakers or
// printed as `voice --print` prints it.
inline constexpr const char* AnnounceUsage = "announce LABEL --counter NAME [--lang CODE] [--print]";
int announceCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err);
