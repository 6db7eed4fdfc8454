#include "masterdata/Departments.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Lookups.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

using masterdata::stored;

frmDeptLst::frmDeptLst(AppContext& ctx, QWidget* parent)
    : MasterList(ctx, QStringLiteral("frmDeptLst"), tr("Deparment Lst"), QStringLiteral("frmDept"), parent)
{
    resize(640, 420);
    Form_Load();
}

QVector<MasterList::Column> frmDeptLst::columns() const
{
    // Column 3 holds the department's type, so it is headed "Type": the type is what decides where the
    // kiosk offers the department, and the flag is on the edit screen. Wide enough for "Appointment".
    return {{tr("SN"), 1000}, {tr("Deparment"), 2500}, {tr("Type"), 1500}, {QString(), 3000}};
}

void frmDeptLst::addFG()
{
    const ResultSet rs = m_ctx.db.query(QStringLiteral("select * from tblDept order by deptAuto"));
    for (int i = 0; i < rs.size(); ++i)
        addEntry(rs.number(i, 0), {rs.text(i, 1), rs.text(i, 2), QString()});
}

bool frmDeptLst::deleteEntry(qint64 key)
{
    if (lookups::rowExists(m_ctx.db, QStringLiteral("tblService"), QStringLiteral("deptAuto"), key)) {
        m_ctx.dialogs.message(tr("Cannot delete "), Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
        return false;
    }
    m_ctx.db.exec(QStringLiteral("delete from tbldept where deptauto=?"), {key});
    return true;
}

// ---------------------------------------------------------------------------------------------------

frmDept::frmDept(AppContext& ctx, QWidget* parent)
    : MasterEdit(ctx, QStringLiteral("frmDept"), tr("Department"), QStringLiteral("tblDept"),
                 tr("department"), tr("Department List"), parent)
{
    txtDept = named(new QLineEdit(this), "txtDept");
    txtDesc = named(new QComboBox(this), "txtDesc");
    txtDesc->setEditable(true);
    txtDesc->addItems({QStringLiteral("Walk-In"), QStringLiteral("Report"), QStringLiteral("Appointment"),
                       QStringLiteral("Emergency")});
    txtDesc->setInsertPolicy(QComboBox::NoInsert);
    chkActive = named(new QCheckBox(tr("Active"), this), "chkActive");
    clearFields();

    form()->addRow(tr("Department Name"), txtDept);
    form()->addRow(tr("Type"), txtDesc);
    form()->addRow(QString(), chkActive);
    resize(380, 170);
}

void frmDept::clearFields()
{
    txtDept->clear();
    masterdata::clearChoice(txtDesc);
    chkActive->setChecked(true);
}

void frmDept::getData()
{
    const ResultSet rs = m_ctx.db.query(QStringLiteral("select * from tblDept where deptAuto=?"), {ref()});
    if (rs.isEmpty())
        return;
    txtDept->setText(rs.text(0, 1));
    txtDesc->setCurrentText(rs.text(0, 2));
    chkActive->setChecked(rs.text(0, 3) == QLatin1String("1"));
}

bool frmDept::checkInput()
{
    if (txtDept->text().isEmpty()) {
        m_ctx.dialogs.message(tr("Department name should not be blank"), Dialogs::Buttons::Ok,
                              Dialogs::Icon::None, {}, this);
        return false;
    }
    if (txtDesc->currentText().isEmpty()) {
        m_ctx.dialogs.message(tr("Department Type should not be blank"), Dialogs::Buttons::Ok,
                              Dialogs::Icon::None, {}, this);
        return false;
    }
    return true;
}

QString frmDept::rowName() const
{
    return txtDept->text();
}

QVariantMap frmDept::values() const
{
    return {{QStringLiteral("deptName"), stored(txtDept->text())},
            {QStringLiteral("deptDesc"), stored(txtDesc->currentText())},
            {QStringLiteral("active"), chkActive->isChecked() ? 1 : 0}};
}
