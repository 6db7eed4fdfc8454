#include "masterdata/MasterDataScreens.h"

#include "core/ScreenRegistry.h"
#include "masterdata/Counters.h"
#include "masterdata/Departments.h"
#include "masterdata/Services.h"
#include "masterdata/frmCompany.h"

void registerMasterData(ScreenRegistry& screens, CommandRegistry&)
{
    screens.add(QStringLiteral("deptLst"), [](AppContext& ctx) { return new frmDeptLst(ctx); });
    screens.add(QStringLiteral("frmDept"), [](AppContext& ctx) { return new frmDept(ctx); });
    screens.add(QStringLiteral("Servlst"), [](AppContext& ctx) { return new frmServLst(ctx); });
    screens.add(QStringLiteral("frmService"), [](AppContext& ctx) { return new frmService(ctx); });
    screens.add(QStringLiteral("Counter"), [](AppContext& ctx) { return new frmCntLst(ctx); });
    screens.add(QStringLiteral("frmCounter"), [](AppContext& ctx) { return new frmCounter(ctx); });
    screens.add(QStringLiteral("compdet"), [](AppContext& ctx) { return new frmCompany(ctx); });
}
