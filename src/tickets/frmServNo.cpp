#include "tickets/frmServNo.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Lookups.h"
#include "core/ScreenRegistry.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Grid.h"
#include "ui/Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString dayText(const QDate& d)
{
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

bool isNumeric(const QString& text)
{
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

} // namespace

frmServNo::frmServNo(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmServNo"));
    setWindowTitle(tr("Set Service Starting No."));

    DT = named(new QDateEdit(this), "DT");
    DT->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    DT->setCalendarPopup(true);
    FG = named(new Grid(this), "FG");
    FG->styleHeader();
    cmdAdd = named(new QPushButton(tr("Add"), this), "cmdAdd");
    cmdClose = named(new QPushButton(tr("Close"), this), "cmdClose");

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(tr("Date"), this));
    top->addWidget(DT);
    top->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdAdd);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(FG, 1);
    layout->addLayout(buttons);

    connect(FG, &Grid::dblClick, this, &frmServNo::FG_DblClick);
    connect(cmdAdd, &QPushButton::clicked, this, &frmServNo::cmdAdd_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmServNo::cmdClose_Click);
    resize(560, 420);
    Form_Load();
    connect(DT, &QDateEdit::dateChanged, this, [this](const QDate&) { addFG(); });
}

void frmServNo::Form_Load()
{
    openConnection(m_ctx);
    DT->setDate(m_ctx.clock.today());
    addFG();
}

void frmServNo::addFG()
{
    FG->clearRows();
    FG->setCols(7);
    const int widths[] = {1, 700, 2000, 1500, 1000, 1000, 2000};
    static const char* const headings[] = {"",
                                           QT_TR_NOOP("SN"),
                                           QT_TR_NOOP("Service Name"),
                                           QT_TR_NOOP("Date"),
                                           QT_TR_NOOP("Start"),
                                           QT_TR_NOOP("Active"),
                                           ""};
    for (int c = 0; c < 7; ++c) {
        FG->setColWidth(c, widths[c]);
        FG->setText(0, c, tr(headings[c]));
    }
    try {
        const ResultSet rs = m_ctx.db.query(
            QStringLiteral(
                "SELECT tblServiceNo.snoauto, tblService.ServName, tblServiceNo.sdate, tblServiceNo.sno, "
                "tblServiceNo.active FROM tblServiceNo INNER JOIN tblService ON tblServiceNo.servAuto = "
                "tblService.servAuto where tblServiceNo.sdate=? order by tblServiceNo.snoauto"),
            {dayText(DT->date())});
        for (int r = 0; r < rs.size(); ++r)
            FG->addRow({rs.text(r, 0), QString::number(r + 1), rs.text(r, 1), rs.text(r, 2), rs.text(r, 3),
                        rs.text(r, 4)});
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
    }
}

void frmServNo::cmdAdd_Click()
{
    if (auto* form = qobject_cast<frmSerNo*>(m_ctx.screens.open(QStringLiteral("frmSerNo"))))
        form->clearForm();
}

void frmServNo::FG_DblClick()
{
    const int row = FG->row();
    const QString key = FG->text(row, 0);
    if (row < 1 || key.isEmpty())
        return;
    if (auto* form = qobject_cast<frmSerNo*>(m_ctx.screens.open(QStringLiteral("frmSerNo")))) {
        form->lblRef->setText(key);
        form->getData();
    }
}

void frmServNo::cmdClose_Click()
{
    close();
}

// ---- entry form ----

frmSerNo::frmSerNo(AppContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmSerNo"));
    setWindowTitle(tr("Set Service No"));

    cmbServ = named(new QComboBox(this), "cmbServ");
    cmbServ->setMinimumWidth(200);
    DT = named(new QDateEdit(this), "DT");
    DT->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    DT->setCalendarPopup(true);
    txtNo = named(new QLineEdit(this), "txtNo");
    chkActive = named(new QCheckBox(tr("Active"), this), "chkActive");
    lblRef = named(new QLabel(this), "lblRef");
    lblRef->hide();
    cmdSave = named(new QPushButton(tr("Save"), this), "cmdSave");
    cmdClose = named(new QPushButton(tr("Close"), this), "cmdClose");

    auto* form = new QFormLayout;
    form->addRow(tr("Service"), cmbServ);
    form->addRow(tr("Date"), DT);
    form->addRow(tr("Start No"), txtNo);
    form->addRow(QString(), chkActive);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblRef);
    layout->addStretch();
    layout->addLayout(buttons);

    txtNo->installEventFilter(this);
    connect(cmdSave, &QPushButton::clicked, this, &frmSerNo::cmdSave_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmSerNo::cmdClose_Click);
    resize(360, 200);
    Form_Load();
}

void frmSerNo::Form_Load()
{
    openConnection(m_ctx);
    DT->setDate(m_ctx.clock.today());
    cmbServ->clear();
    try {
        const ResultSet rs =
            m_ctx.db.query(QStringLiteral("Select * from tblService where active='1' order by servAuto"));
        for (int r = 0; r < rs.size(); ++r)
            cmbServ->addItem(rs.text(r, 2));
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
    }
    cmbServ->setCurrentIndex(-1);
}

void frmSerNo::dropInactiveService()
{
    if (m_inactiveService.isEmpty())
        return;
    cmbServ->removeItem(cmbServ->findText(m_inactiveService));
    m_inactiveService.clear();
}

void frmSerNo::clearForm()
{
    lblRef->clear();
    dropInactiveService();
    cmbServ->setCurrentIndex(-1);
    DT->setDate(m_ctx.clock.today());
    txtNo->clear();
    chkActive->setChecked(false);
}

void frmSerNo::getData()
{
    try {
        const ResultSet rs = m_ctx.db.query(QStringLiteral("select * from tblServiceNo where snoAuto=?"),
                                            {lblRef->text().toLongLong()});
        if (rs.isEmpty())
            return;
        const QString service = lookups::serviceNameById(m_ctx.db, rs.number(0, 1));
        // A service made inactive since is still this row's: it is offered for this row alone.
        dropInactiveService();
        if (!service.isEmpty() && cmbServ->findText(service) < 0) {
            cmbServ->addItem(service);
            m_inactiveService = service;
        }
        cmbServ->setCurrentIndex(cmbServ->findText(service));
        DT->setDate(QDate::fromString(rs.text(0, 2).left(10), QStringLiteral("yyyy-MM-dd")));
        txtNo->setText(rs.text(0, 3));
        chkActive->setChecked(rs.text(0, 4) == QLatin1String("1"));
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
    }
}

void frmSerNo::txtNo_LostFocus()
{
    if (!isNumeric(txtNo->text()))
        txtNo->setText(QStringLiteral("0"));
}

void frmSerNo::cmdSave_Click()
{
    try {
        const qint64 service =
            cmbServ->currentText().isEmpty() ? 0 : lookups::serviceIdByName(m_ctx.db, cmbServ->currentText());
        if (service == 0) {
            m_ctx.dialogs.message(tr("Please select a service "), Dialogs::Buttons::Ok, Dialogs::Icon::None,
                                  {}, this);
            return;
        }
        // A start number that never left its field is judged as leaving would have judged it.
        txtNo_LostFocus();
        const QVariantMap values{{QStringLiteral("servAuto"), service},
                                 {QStringLiteral("sdate"), dayText(DT->date())},
                                 {QStringLiteral("sno"), qint64(txtNo->text().trimmed().toDouble())},
                                 {QStringLiteral("active"), chkActive->isChecked() ? 1 : 0}};
        if (!lblRef->text().isEmpty()) {
            m_ctx.db.update(QStringLiteral("tblServiceNo"), lblRef->text().toLongLong(), values);
            close();
            return;
        }
        if (!m_ctx.db
                 .query(QStringLiteral(
                            "select * from tblserviceno where sdate=? and servAuto=? order by snoAuto"),
                        {dayText(DT->date()), service})
                 .isEmpty()) {
            m_ctx.dialogs.message(tr("Contains same date entry"), Dialogs::Buttons::Ok, Dialogs::Icon::None,
                                  {}, this);
            return;
        }
        m_ctx.db.insert(QStringLiteral("tblServiceNo"), values);
        close();
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
    }
}

void frmSerNo::cmdClose_Click()
{
    close();
}

bool frmSerNo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtNo && event->type() == QEvent::FocusOut)
        txtNo_LostFocus();
    return QWidget::eventFilter(watched, event);
}
