#include "masterdata/frmCompany.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "masterdata/MasterScreens.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace company {

void save(Database& db, const QString& name, const QString& address)
{
    const QVariantMap values{{QStringLiteral("compName"), masterdata::stored(name)},
                             {QStringLiteral("compAddress"), masterdata::stored(address)}};
    Database::Transaction transaction(db);
    if (db.query(QStringLiteral("Select * from tblComp where compAuto=1")).isEmpty()) {
        QVariantMap row = values;
        row.insert(QStringLiteral("compAuto"), 1);
        db.insert(QStringLiteral("tblComp"), row);
    } else {
        db.update(QStringLiteral("tblComp"), 1, values);
    }
    transaction.commit();
}

} // namespace company

frmCompany::frmCompany(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmCompany"));
    setWindowTitle(QStringLiteral("Company Details"));
    txtName = named(new QLineEdit(this), "txtName");
    txtAdd = named(new QLineEdit(this), "txtAdd");
    Command1 = named(new QPushButton(QStringLiteral("&Save"), this), "Command1");
    Command1->setDefault(true);
    Command1->setMinimumWidth(90);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(QStringLiteral("Company Name"), txtName);
    form->addRow(QStringLiteral("Address"), txtAdd);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(460, 130);

    connect(Command1, &QPushButton::clicked, this, &frmCompany::Command1_Click);
    Form_Load();
}

void frmCompany::Form_Load()
{
    try {
        const ResultSet rs = m_ctx.db.query(QStringLiteral("Select * from tblComp where compAuto=1"));
        if (!rs.isEmpty()) {
            txtName->setText(rs.text(0, 1));
            txtAdd->setText(rs.text(0, 2));
        }
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
}

void frmCompany::Command1_Click()
{
    if (txtName->text().isEmpty()) {
        m_ctx.dialogs.message(QStringLiteral("Company Name should not be blank"), Dialogs::Buttons::Ok,
                              Dialogs::Icon::None, {}, this);
        return;
    }
    try {
        company::save(m_ctx.db, txtName->text(), txtAdd->text());
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
        return;
    }
    close();
}
