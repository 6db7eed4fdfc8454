#include "masterdata/frmCompany.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "masterdata/CompanyLogo.h"
#include "masterdata/MasterScreens.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace company {

void save(Database& db, const QString& name, const QString& address, const std::optional<QByteArray>& logo)
{
    QVariantMap values{{QStringLiteral("compName"), masterdata::stored(name)},
                       {QStringLiteral("compAddress"), masterdata::stored(address)}};
    if (logo)
        values.insert(QStringLiteral("logo"), logo->isEmpty() ? QVariant() : QVariant(*logo));
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
    setWindowTitle(tr("Company Details"));
    txtName = named(new QLineEdit(this), "txtName");
    txtAdd = named(new QLineEdit(this), "txtAdd");
    cmdLogo = named(new QPushButton(tr("Choose Logo..."), this), "cmdLogo");
    cmdNoLogo = named(new QPushButton(tr("Remove Logo"), this), "cmdNoLogo");
    lblLogo = named(new QLabel(this), "lblLogo");
    lblLogo->setWordWrap(true);
    picPreview = named(new QLabel(this), "picPreview");
    picPreview->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    picPreview->setFrameShape(QFrame::StyledPanel);
    picPreview->setStyleSheet(QStringLiteral("background: #d9dde2;"));
    Command1 = named(new QPushButton(tr("&Save"), this), "Command1");
    Command1->setDefault(true);
    Command1->setMinimumWidth(90);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(tr("Company Name"), txtName);
    form->addRow(tr("Address"), txtAdd);
    auto* logoButtons = new QHBoxLayout;
    logoButtons->addWidget(cmdLogo);
    logoButtons->addWidget(cmdNoLogo);
    logoButtons->addStretch();
    form->addRow(tr("Logo"), logoButtons);
    form->addRow(QString(), lblLogo);
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    left->addLayout(buttons);
    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(new QLabel(tr("Ticket preview"), this));
    previewColumn->addWidget(picPreview, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(previewColumn);
    resize(760, 520);

    connect(Command1, &QPushButton::clicked, this, &frmCompany::Command1_Click);
    connect(cmdLogo, &QPushButton::clicked, this, &frmCompany::cmdLogo_Click);
    connect(cmdNoLogo, &QPushButton::clicked, this, &frmCompany::cmdNoLogo_Click);
    connect(txtName, &QLineEdit::textChanged, this, &frmCompany::refreshPreview);
    connect(txtAdd, &QLineEdit::textChanged, this, &frmCompany::refreshPreview);
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
        m_logo = company::storedLogo(m_ctx.db);
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
    }
    m_logoChanged = false;
    refreshPreview();
}

void frmCompany::setTicketPreview(TicketPreview preview)
{
    m_preview = std::move(preview);
    refreshPreview();
}

void frmCompany::refreshPreview()
{
    cmdNoLogo->setEnabled(!m_logo.isEmpty());
    if (!m_logo.isEmpty())
        lblLogo->setText(m_logoChanged ? tr("The chosen picture: Save stores it for every kiosk.")
                                       : tr("Stored with the company details: every kiosk prints it."));
    else if (!company::folderLogo(m_ctx).isNull())
        lblLogo->setText(tr("No logo is stored: this workstation prints the logo.jpg of its installation "
                            "folder. Choose a picture to print it at every kiosk."));
    else
        lblLogo->setText(m_logoChanged ? tr("No logo: Save removes the stored one.")
                                       : tr("No logo is stored: the tickets print none."));
    if (!m_preview) {
        picPreview->hide();
        return;
    }
    const QImage ticket = m_preview(m_ctx, txtName->text(), txtAdd->text(), m_logo);
    picPreview->setPixmap(QPixmap::fromImage(ticket));
    picPreview->setMinimumSize(ticket.width() + 8, qMin(ticket.height(), 440) + 8);
    picPreview->show();
}

void frmCompany::cmdLogo_Click()
{
    const QString file = m_ctx.dialogs.openFileName(
        tr("Choose the hall's logo"), tr("Pictures (*.png *.jpg *.jpeg *.bmp *.gif *.webp);;All files (*)"),
        QString(), this);
    if (file.isEmpty())
        return;
    const QByteArray bytes = company::logoFromFile(file);
    if (bytes.isEmpty()) {
        m_ctx.dialogs.message(tr("%1 is not a picture that can be printed.").arg(file), Dialogs::Buttons::Ok,
                              Dialogs::Icon::Warning, {}, this);
        return;
    }
    m_logo = bytes;
    m_logoChanged = true;
    refreshPreview();
}

void frmCompany::cmdNoLogo_Click()
{
    m_logo.clear();
    m_logoChanged = true;
    refreshPreview();
}

void frmCompany::Command1_Click()
{
    if (txtName->text().isEmpty()) {
        m_ctx.dialogs.message(tr("Company Name should not be blank"), Dialogs::Buttons::Ok,
                              Dialogs::Icon::None, {}, this);
        return;
    }
    try {
        company::save(m_ctx.db, txtName->text(), txtAdd->text(),
                      m_logoChanged ? std::optional<QByteArray>(m_logo) : std::nullopt);
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
        return;
    }
    close();
}
