#include "masterdata/Counters.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Lookups.h"
#include "core/PasswordHash.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

using masterdata::stored;

frmCntLst::frmCntLst(AppContext& ctx, QWidget* parent)
    : MasterList(ctx, QStringLiteral("frmCntLst"), tr("Counter List"), QStringLiteral("frmCounter"), parent)
{
    resize(900, 440);
    Form_Load();
}

QVector<MasterList::Column> frmCntLst::columns() const
{
    return {{tr("SN"), 1000},           {tr("Department"), 2000}, {tr("Service Name"), 2000},
            {tr("Counter Name"), 2000}, {tr("Active"), 1000},     {tr("Counter Name"), 2000},
            {QString(), 1000}};
}

void frmCntLst::addFG()
{
    const ResultSet rs = m_ctx.db.query(QStringLiteral(
        "SELECT tblCounter.cntAuto, tblService.ServName, tblDept.deptName, tblCounter.contName, "
        "tblCounter.active,tblCounter.CountNameA FROM (tblCounter INNER JOIN tblService ON "
        "tblCounter.servAuto = "
        "tblService.servAuto) INNER JOIN tblDept ON tblService.deptAuto = tblDept.deptAuto order by contName "
        "asc"));
    for (int i = 0; i < rs.size(); ++i)
        addEntry(rs.number(i, 0),
                 {rs.text(i, 2), rs.text(i, 1), rs.text(i, 3), rs.text(i, 4), rs.text(i, 5), QString()});
}

bool frmCntLst::deleteEntry(qint64 key)
{
    if (!m_ctx.dialogs.askYesNo(tr("Do you want to delete "), Dialogs::Icon::Question, {}, this))
        return false;
    // A counter that was ever sent or served a token stays: the reports still name it.
    if (lookups::rowExists(m_ctx.db, QStringLiteral("tblticket"), QStringLiteral("attended"), key)) {
        m_ctx.dialogs.message(tr("Cannot delete "), Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
        return false;
    }
    m_ctx.db.exec(QStringLiteral("delete from tblcounter where cntauto=?"), {key});
    return true;
}

// ---------------------------------------------------------------------------------------------------

frmCounter::frmCounter(AppContext& ctx, QWidget* parent)
    : MasterEdit(ctx, QStringLiteral("frmCounter"), tr("Counter Details"), QStringLiteral("tblCounter"),
                 tr("counter"), tr("Counter List"), parent)
{
    Command2->setText(tr("Save"));
    Command1->setText(tr("Close"));
    auto line = [this](const char* name, bool secret = false) {
        auto* box = named(new QLineEdit(this), name);
        if (secret) {
            box->setEchoMode(QLineEdit::Password);
            box->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // shown as "*"
        }
        return box;
    };
    txtName = line("txtName");
    txtDesc = line("txtDesc");
    txtUser = line("txtUser");
    txtPass = line("txtPass", true);
    txtPass1 = line("txtPass1", true);
    cmbServ = named(new QComboBox(this), "cmbServ");
    cmbServ->setEditable(true);
    cmbServ->setInsertPolicy(QComboBox::NoInsert);
    chkActive = named(new QCheckBox(tr("Active"), this), "chkActive");
    txtNameA = line("txtNameA");
    txtNameA->setPlaceholderText(tr("Counter Name"));
    txtDescA = line("txtDescA");
    txtDescA->setPlaceholderText(tr("Display Name"));

    auto* language2 = new QHBoxLayout;
    language2->addWidget(txtNameA);
    language2->addWidget(txtDescA);

    form()->addRow(tr("Select Service"), cmbServ);
    form()->addRow(tr("Counter Name"), txtName);
    form()->addRow(tr("Display Name"), txtDesc);
    form()->addRow(tr("User Name"), txtUser);
    form()->addRow(tr("Password"), txtPass);
    form()->addRow(tr("Re-Password"), txtPass1);
    form()->addRow(tr("Language 2"), language2);
    form()->addRow(QString(), chkActive);
    resize(460, 320);
    Form_Load();
}

void frmCounter::Form_Load()
{
    openConnection(m_ctx);
    try {
        const ResultSet rs =
            m_ctx.db.query(QStringLiteral("Select * from tblService where active='1' order by servAuto"));
        for (int i = 0; i < rs.size(); ++i)
            cmbServ->addItem(rs.text(i, 2), rs.number(i, 0));
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
    clearFields();
}

void frmCounter::clearFields()
{
    masterdata::clearChoice(cmbServ);
    for (QLineEdit* box : {txtName, txtDesc, txtUser, txtPass, txtPass1, txtNameA, txtDescA})
        box->clear();
    txtPass->setPlaceholderText(QString());
    txtPass1->setPlaceholderText(QString());
    chkActive->setChecked(true);
}

void frmCounter::getData()
{
    const ResultSet rs = m_ctx.db.query(QStringLiteral("select * from tblcounter where cntauto=?"), {ref()});
    if (rs.isEmpty())
        return;
    masterdata::chooseKey(cmbServ, rs.number(0, 1), lookups::serviceNameById(m_ctx.db, rs.number(0, 1)));
    txtName->setText(rs.text(0, 2));
    txtDesc->setText(rs.text(0, 3));
    txtUser->setText(rs.text(0, 4));
    // The password is never shown: empty boxes keep it, a typed one replaces it.
    for (QLineEdit* box : {txtPass, txtPass1}) {
        box->clear();
        box->setPlaceholderText(tr("kept unless typed"));
    }
    chkActive->setChecked(rs.text(0, 6) == QLatin1String("1"));
    txtNameA->setText(rs.text(0, QStringLiteral("countNameA")));
    txtDescA->setText(rs.text(0, QStringLiteral("displayNameA")));
}

bool frmCounter::checkInput()
{
    auto refuse = [this](const QString& text) {
        m_ctx.dialogs.message(text, Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
        return false;
    };
    if (txtPass->text() != txtPass1->text())
        return refuse(tr("Passwords should be same "));
    if (serviceKey() == 0)
        return refuse(tr("Select a valid service"));
    if (txtName->text().isEmpty())
        return refuse(tr("Counter Name should not be blank"));
    if (txtUser->text().isEmpty())
        return refuse(tr("User Name should not be blank"));
    return true;
}

QString frmCounter::rowName() const
{
    return txtName->text();
}

qint64 frmCounter::serviceKey() const
{
    return masterdata::chosenKey(
        cmbServ, [this](const QString& name) { return lookups::serviceIdByName(m_ctx.db, name); });
}

QVariantMap frmCounter::values() const
{
    QVariantMap row{{QStringLiteral("servAuto"), serviceKey()},
                    {QStringLiteral("contName"), stored(txtName->text())},
                    {QStringLiteral("displayName"), stored(txtDesc->text())},
                    {QStringLiteral("username"), stored(txtUser->text())},
                    {QStringLiteral("active"), chkActive->isChecked() ? 1 : 0},
                    {QStringLiteral("countNameA"), stored(txtNameA->text())},
                    {QStringLiteral("displayNameA"), stored(txtDescA->text())}};
    // An existing counter keeps its password while the boxes stay empty.
    if (isNewRow() || !txtPass->text().isEmpty())
        row.insert(QStringLiteral("pass"), passwords::hash(stored(txtPass->text())));
    return row;
}

void frmCounter::showFailure(const DbError& error)
{
    // Inserts and updates alike: a counter that could not be stored is never passed over in silence.
    m_ctx.dialogs.message(error.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, tr("Error"),
                          this);
}
