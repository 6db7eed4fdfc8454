#include "maintenance/frmcallDelete.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "maintenance/Maintenance.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmcallDelete::frmcallDelete(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmcallDelete"));
    setWindowTitle(tr("Delete Call Data"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* frame = named(new QGroupBox(tr("Delete Call Data Before"), this), "fraDelete");
    dtFrom = named(new QDateEdit(frame), "dtFrom");
    dtFrom->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    dtFrom->setCalendarPopup(true);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(new QLabel(tr("Select Date"), frame));
    row->addWidget(dtFrom, 1);

    cmdDelete = named(new QPushButton(tr("Delete"), this), "cmdDelete");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdDelete);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    layout->addStretch();
    resize(340, 140);

    connect(cmdDelete, &QPushButton::clicked, this, &frmcallDelete::cmdDelete_Click);
    Form_Load();
}

void frmcallDelete::Form_Load()
{
    move(0, 0);
    dtFrom->setDate(m_ctx.clock.now().date());
}

void frmcallDelete::cmdDelete_Click()
{
    if (!m_ctx.dialogs.askYesNo(tr("Do you want to Delete "), Dialogs::Icon::Question, {}, this))
        return;
    try {
        openConnection(m_ctx);
        maintenance::deleteCallsBefore(m_ctx.db, dtFrom->date());
        m_ctx.dialogs.message(tr("Successfully Deleted "), Dialogs::Buttons::Ok, Dialogs::Icon::None, {},
                              this);
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
}
