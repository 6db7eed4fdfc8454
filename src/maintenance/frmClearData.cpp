#include "maintenance/frmClearData.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "maintenance/ClearTickets.h"
#include "maintenance/Maintenance.h"
#include "reports/modExcel.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/Named.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

frmClearData::frmClearData(AppContext& ctx, QWidget* parent)
    : ReportWindow(ctx, ReportKind::Department, parent)
{
    setObjectName(QStringLiteral("frmClearData"));
    setWindowTitle(tr("Clear Data"));
    setProperty(modExcel::ExportNameProperty, QStringLiteral("Cleared tickets"));
    setAttribute(Qt::WA_DeleteOnClose);

    // Rows are picked one by one with Ctrl or as a range with Shift, in either direction.
    FG->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cmdDelete = named(new QPushButton(tr("Delete Selected"), this), "cmdDelete");
    bottomRow->addWidget(cmdDelete);
    bottomRow->addSpacing(24);
    bottomRow->addWidget(new QLabel(tr("Everything before"), this));
    dtBefore = named(new QDateEdit(this), "dtBefore");
    dtBefore->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    dtBefore->setCalendarPopup(true);
    // A month back is offered: the present month's tickets stay for its reports.
    dtBefore->setDate(ctx.clock.today().addMonths(-1));
    // Today at the latest: a later day would clear today's queue too.
    dtBefore->setMaximumDate(ctx.clock.today());
    bottomRow->addWidget(dtBefore);
    cmdDeleteBefore = named(new QPushButton(tr("Delete Before"), this), "cmdDeleteBefore");
    bottomRow->addWidget(cmdDeleteBefore);
    connect(cmdDelete, &QPushButton::clicked, this, &frmClearData::cmdDelete_Click);
    connect(cmdDeleteBefore, &QPushButton::clicked, this, &frmClearData::cmdDeleteBefore_Click);
}

void frmClearData::cmdDeleteBefore_Click()
{
    AppContext& ctx = context();
    const QDate before = dtBefore->date();
    if (const QString refused = maintenance::clearBeforeRefusal(before, ctx.clock.today());
        !refused.isEmpty()) {
        ctx.dialogs.message(refused, Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
        return;
    }
    try {
        const maintenance::ClearCount count = maintenance::countBefore(ctx.db, before);
        if (count.tickets == 0 && count.calls == 0) {
            ctx.dialogs.message(
                tr("There is nothing dated before %1.").arg(before.toString(QStringLiteral("dd-MM-yyyy"))),
                Dialogs::Buttons::Ok, Dialogs::Icon::Information, {}, this);
            return;
        }
        if (!ctx.dialogs.askYesNo(maintenance::clearBeforeQuestion(count, before), Dialogs::Icon::Warning, {},
                                  this))
            return;
        const maintenance::ClearCount removed = maintenance::deleteTicketsBefore(ctx.db, before);
        addFG();
        ctx.dialogs.message(maintenance::clearedText(removed, before), Dialogs::Buttons::Ok,
                            Dialogs::Icon::Information, {}, this);
    } catch (const DbError& e) {
        addFG();
        ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
}

void frmClearData::cmdDelete_Click()
{
    AppContext& ctx = context();
    const QList<qint64> keys = maintenance::ticketKeysOfRows(*FG, FG->selectedRowNumbers());
    if (keys.isEmpty()) {
        ctx.dialogs.message(maintenance::nothingSelectedText(), Dialogs::Buttons::Ok,
                            Dialogs::Icon::Information, {}, this);
        return;
    }
    if (!ctx.dialogs.askYesNo(maintenance::deleteQuestion(keys.size()), Dialogs::Icon::Question, {}, this))
        return;
    try {
        const qint64 removed = maintenance::deleteTickets(ctx.db, keys);
        addFG();
        ctx.dialogs.message(maintenance::deletedText(removed), Dialogs::Buttons::Ok,
                            Dialogs::Icon::Information, {}, this);
    } catch (const DbError& e) {
        addFG();
        ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
}
