#include "masterdata/Services.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Lookups.h"
#include "core/ServiceTarget.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

using masterdata::stored;

frmServLst::frmServLst(AppContext& ctx, QWidget* parent)
    : MasterList(ctx, QStringLiteral("frmServLst"), tr("Service List"), QStringLiteral("frmService"), parent)
{
    resize(860, 440);
    Form_Load();
}

QVector<MasterList::Column> frmServLst::columns() const
{
    return {{tr("SN"), 1000},  {tr("Department"), 2000}, {tr("Service Name"), 2000}, {tr("Start"), 1000},
            {tr("End"), 1000}, {tr("Prefix"), 1000},     {tr("Active"), 1000},       {QString(), 3000}};
}

void frmServLst::addFG()
{
    const ResultSet rs = m_ctx.db.query(QStringLiteral(
        "SELECT tblService.servAuto, tblDept.deptName, tblService.ServName, tblservice.startno, "
        "tblservice.endno, "
        "tblservice.abrno, tblService.active FROM tblService INNER JOIN tblDept ON tblService.deptAuto = "
        "tblDept.deptAuto order by tblService.servAuto"));
    for (int i = 0; i < rs.size(); ++i)
        addEntry(rs.number(i, 0), {rs.text(i, 1), rs.text(i, 2), rs.text(i, 3), rs.text(i, 4), rs.text(i, 5),
                                   rs.text(i, 6), QString()});
}

bool frmServLst::deleteEntry(qint64 key)
{
    if (!m_ctx.dialogs.askYesNo(tr("Do you want to delete "), Dialogs::Icon::Question, {}, this))
        return false;
    if (lookups::rowExists(m_ctx.db, QStringLiteral("tblticket"), QStringLiteral("servAuto"), key)) {
        m_ctx.dialogs.message(tr("Cannot delete "), Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
        return false;
    }
    // Counters of a deleted service would vanish from the counter list, yet still be offered at log-in.
    if (lookups::rowExists(m_ctx.db, QStringLiteral("tblCounter"), QStringLiteral("servAuto"), key)) {
        m_ctx.dialogs.message(
            tr("Cannot delete: counters still serve this service. Give them another service "
               "or delete them first."),
            Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
        return false;
    }
    m_ctx.db.exec(QStringLiteral("delete from tblservice where servauto=?"), {key});
    return true;
}

// ---------------------------------------------------------------------------------------------------

frmService::frmService(AppContext& ctx, QWidget* parent)
    : MasterEdit(ctx, QStringLiteral("frmService"), tr("Service Details"), QStringLiteral("tblService"),
                 tr("service"), tr("Service List"), parent)
{
    cmbDept = named(new QComboBox(this), "cmbDept");
    cmbDept->setEditable(true);
    cmbDept->setInsertPolicy(QComboBox::NoInsert);
    txtServ = named(new QLineEdit(this), "txtServ");
    txtDesc = named(new QLineEdit(this), "txtDesc");
    txtNo = named(new QLineEdit(this), "txtNo");
    txtEnd = named(new QLineEdit(this), "txtEnd");
    txtAbr = named(new QLineEdit(this), "txtAbr");
    txtAbr->setMaximumWidth(120);
    txtAbr->installEventFilter(this);
    chkActive = named(new QCheckBox(tr("Active"), this), "chkActive");
    chkPhoneJoin =
        named(new QCheckBox(tr("Visitors may take tokens from their phones"), this), "chkPhoneJoin");
    chkPhoneJoin->setToolTip(tr("The service is listed on the hall's web page /join, where a visitor takes a "
                                "token without the kiosk"));
    spnTargetShare = named(new QSpinBox(this), "spnTargetShare");
    spnTargetShare->setRange(0, 100);
    spnTargetShare->setSuffix(tr(" %"));
    spnTargetShare->setSpecialValueText(tr("No target"));
    spnTargetWait = named(new QSpinBox(this), "spnTargetWait");
    spnTargetWait->setRange(0, 24 * 60);
    spnTargetWait->setSuffix(tr(" min"));
    spnTargetWait->setSpecialValueText(tr("No target"));
    auto* target = new QHBoxLayout;
    target->addWidget(spnTargetShare);
    target->addWidget(new QLabel(tr("within"), this));
    target->addWidget(spnTargetWait);
    target->addStretch();

    form()->addRow(tr("Select Dept"), cmbDept);
    form()->addRow(tr("Service Name"), txtServ);
    form()->addRow(tr("Description"), txtDesc);
    form()->addRow(tr("Tokent Start"), txtNo);
    form()->addRow(tr("Tokent End"), txtEnd);
    form()->addRow(tr("Token Prefix"), txtAbr);
    form()->addRow(tr("Target"), target);
    form()->addRow(QString(), chkActive);
    form()->addRow(QString(), chkPhoneJoin);
    resize(420, 360);
    Form_Load();
}

void frmService::Form_Load()
{
    try {
        const ResultSet rs = m_ctx.db.query(
            QStringLiteral("select deptName, deptAuto from tblDept where active='1' order by deptAuto"));
        for (int i = 0; i < rs.size(); ++i)
            cmbDept->addItem(rs.text(i, 0), rs.number(i, 1));
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
    clearFields();
}

void frmService::clearFields()
{
    masterdata::clearChoice(cmbDept);
    txtServ->clear();
    txtDesc->clear();
    txtNo->setText(QStringLiteral("0"));
    txtEnd->setText(QStringLiteral("0"));
    txtAbr->clear();
    spnTargetShare->setValue(0);
    spnTargetWait->setValue(0);
    chkActive->setChecked(true);
    chkPhoneJoin->setChecked(false);
}

void frmService::getData()
{
    const ResultSet rs = m_ctx.db.query(QStringLiteral("select * from tblService where servAuto=?"), {ref()});
    if (rs.isEmpty())
        return;
    // Each field on its own: one that cannot be read leaves its box as it is and the others still fill.
    auto step = [](const auto& fill) {
        try {
            fill();
        } catch (const DbError&) {
        }
    };
    step([&] {
        masterdata::chooseKey(cmbDept, rs.number(0, 1), lookups::deptNameById(m_ctx.db, rs.number(0, 1)));
    });
    step([&] { txtServ->setText(rs.text(0, 2)); });
    step([&] { txtDesc->setText(rs.text(0, 3)); });
    step([&] { chkActive->setChecked(rs.text(0, 4) == QLatin1String("1")); });
    step([&] { txtNo->setText(rs.text(0, QStringLiteral("startno"))); });
    step([&] { txtEnd->setText(rs.text(0, QStringLiteral("endno"))); });
    step([&] { txtAbr->setText(rs.text(0, QStringLiteral("abrno"))); });
    step([&] { chkPhoneJoin->setChecked(rs.text(0, QStringLiteral("phonejoin")) == QLatin1String("1")); });
    step([&] {
        const ServiceTarget target(int(rs.number(0, QStringLiteral("targetpct"))),
                                   int(rs.number(0, QStringLiteral("targetwait"))));
        spnTargetShare->setValue(target.isSet() ? target.sharePercent() : 0);
        spnTargetWait->setValue(target.isSet() ? target.waitMinutes() : 0);
    });
}

void frmService::txtAbr_LostFocus()
{
    txtAbr->setText(masterdata::cleanPrefix(txtAbr->text()));
}

bool frmService::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtAbr && event->type() == QEvent::FocusOut)
        txtAbr_LostFocus();
    return MasterEdit::eventFilter(watched, event);
}

bool frmService::checkInput()
{
    auto refuse = [this](const QString& text) {
        m_ctx.dialogs.message(text, Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, this);
        return false;
    };
    // Save may be pressed without leaving the prefix box.
    txtAbr_LostFocus();
    if (masterdata::readsAsNumber(txtAbr->text()))
        return refuse(tr("Cannot Save. Prefix Should not be Number"));
    qint64 start = 0;
    qint64 end = 0;
    // Token numbers start at 0 or above: a sign would be printed and spoken as part of the number.
    if (!masterdata::readsAsWholeNumber(txtNo->text(), &start) || start < 0)
        return refuse(tr("Cannot Save. Enter a valid Starting number"));
    if (!masterdata::readsAsWholeNumber(txtEnd->text(), &end) || end < 0)
        return refuse(tr("Cannot Save. Enter a valid Ending number"));
    if (end <= start)
        return refuse(tr("Please Check Starting and Ending Number"));
    if (deptKey() == 0)
        return refuse(tr("Select a department name"));
    if (txtServ->text().isEmpty())
        return refuse(tr("Service name should not be blank"));
    if ((spnTargetShare->value() == 0) != (spnTargetWait->value() == 0))
        return refuse(tr("Cannot Save. A target needs both a share and a wait, or neither"));
    return true;
}

qint64 frmService::deptKey() const
{
    return masterdata::chosenKey(
        cmbDept, [this](const QString& name) { return lookups::deptIdByName(m_ctx.db, name); });
}

QString frmService::rowName() const
{
    return txtServ->text();
}

QVariantMap frmService::values() const
{
    return {{QStringLiteral("deptAuto"), deptKey()},
            {QStringLiteral("servName"), stored(txtServ->text())},
            {QStringLiteral("ServDesc"), stored(txtDesc->text())},
            {QStringLiteral("active"), chkActive->isChecked() ? 1 : 0},
            {QStringLiteral("startno"), txtNo->text().trimmed().toLongLong()},
            {QStringLiteral("endno"), txtEnd->text().trimmed().toLongLong()},
            {QStringLiteral("abrno"), stored(txtAbr->text())},
            {QStringLiteral("targetpct"), spnTargetShare->value()},
            {QStringLiteral("targetwait"), spnTargetWait->value()},
            {QStringLiteral("phonejoin"), chkPhoneJoin->isChecked() ? 1 : 0}};
}
