#include "maintenance/frmClearData.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "maintenance/ClearTickets.h"
#include "maintenance/Maintenance.h"
#include "reports/modExcel.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/Named.h"

#include <QHBoxLayout>
#include <QPushButton>

frmClearData::frmClearData(AppContext& ctx, QWidget* parent)
    : ReportWindow(ctx, ReportKind::Department, parent)
{
    setObjectName(QStringLiteral("frmClearData"));
    setWindowTitle(QStringLiteral("Clear Data"));
    setProperty(modExcel::ExportNameProperty, QStringLiteral("Cleared tickets"));
    setAttribute(Qt::WA_DeleteOnClose);

    // Rows are picked one by one with Ctrl or as a range with Shift, in either direction.
    FG->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cmdDelete = named(new QPushButton(QStringLiteral("Delete Selected"), this), "cmdDelete");
    bottomRow->addWidget(cmdDelete);
    connect(cmdDelete, &QPushButton::clicked, this, &frmClearData::cmdDelete_Click);
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
