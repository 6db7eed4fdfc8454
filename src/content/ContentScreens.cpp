#include "content/ContentScreens.h"

#include "content/frmEditor.h"
#include "content/frmScroll.h"
#include "content/frmVideo.h"
#include "core/ScreenRegistry.h"

void registerContent(ScreenRegistry& screens, CommandRegistry&)
{
    screens.add(QStringLiteral("scrollnews"), [](AppContext& ctx) { return new frmScroll(ctx); });
    screens.add(QStringLiteral("frmEditor"), [](AppContext& ctx) { return new frmEditor(ctx); });
    screens.add(QStringLiteral("Videolst"), [](AppContext& ctx) { return new frmVideoLst(ctx); });
    screens.add(QStringLiteral("frmVideo"), [](AppContext& ctx) { return new frmVideo(ctx); });
}
