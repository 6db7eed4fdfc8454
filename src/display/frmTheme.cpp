// The theme editor: its fields and commands, and Save.
#include "display/frmTheme.h"

#include "core/AppContext.h"
#include "core/ScreenRegistry.h"
#include "core/Settings.h"
#include "display/ThemeRules.h"
#include "display/design/frmDesign.h"
#include "display/frmSelectCounter.h"
#include "display/frmThLst.h"
#include "display/media/frmSelectClock.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmTheme::frmTheme(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmTheme"));
    setWindowFlags(Qt::Window);
    setWindowTitle(tr("Theme"));

    lblRef = named(new QLabel(this), "lblRef");
    lblRef->hide();

    txtName = makeEdit("txtName");
    cmbType = makeCombo("cmbType", false);
    cmbType->setEditable(false);
    // The theme row stores the English type; the list shows it in the screen's language.
    cmbType->addItem(tr("Vertical"), QStringLiteral("Vertical"));
    cmbType->addItem(tr("Horrizontal"), QStringLiteral("Horrizontal"));
    txtColumn = makeEdit("txtColumn", QStringLiteral("2"));
    txtRow = makeEdit("txtRow", QStringLiteral("12"));
    // One width per column, in twips, separated by ";"; the initial text suits the initial two columns.
    txtColWidth = makeEdit("txtColWidth", QStringLiteral("2500;2500"));
    txtColWidth->setPlaceholderText(tr("e.g. 2500;2500"));
    txtColWidth->setToolTip(themeRules::columnWidthHint);
    txtRHeight = makeEdit("txtRHeight", QStringLiteral("500"));
    tblLine = makeEdit("tblLine", QStringLiteral("1"));
    chkHeader = named(new QCheckBox(tr("Enable Header")), "chkHeader");
    Text1 = makeEdit("Text1");
    Text2 = makeEdit("Text2");

    txtttl = makeEdit("txtttl");
    cmbTtlFont = makeCombo("cmbTtlFont", true);
    cmbTtlSize = makeCombo("cmbTtlSize", false);
    lblttlClr = makeSwatch("lblttlClr");
    chkScroll = named(new QCheckBox(tr("Scroll")), "chkScroll");

    chktime = named(new QCheckBox(tr("Display Time")), "chktime");
    txtFormat = makeEdit("txtFormat");
    txtFormat->setReadOnly(true);
    txtFormat->installEventFilter(this);
    cmbFont = makeCombo("cmbFont", false);
    cmbTSize = makeCombo("cmbTSize", false);
    lblTClr = makeSwatch("lblTClr");
    txtTformat = makeEdit("txtTformat", QStringLiteral("dd-MMM-yyyy HH:mm"));
    makeTimePreview();

    lblBGClr = makeSwatch("lblBGClr");
    lblLClr = makeSwatch("lblLClr");
    lblARClr = makeSwatch("lblARClr");
    lblBG = makeSwatch("lblBG");
    lblNewsBG = makeSwatch("lblNewsBG");

    cmbHFont = makeCombo("cmbHFont", true);
    cmbHFSize = makeCombo("cmbHFSize", false);
    lblHBGClr = makeSwatch("lblHBGClr");
    lblHClr = makeSwatch("lblHClr");

    cmbRowFont = makeCombo("cmbRowFont", true);
    cmbRFsize = makeCombo("cmbRFsize", false);
    lblRFcolor = makeSwatch("lblRFcolor");
    lblRDClr = makeSwatch("lblRDClr");

    cmbVFont = makeCombo("cmbVFont", true);
    cmbVFSize = makeCombo("cmbVFSize", false);
    lblVFColor = makeSwatch("lblVFColor");
    lblVBGClr = makeSwatch("lblVBGClr");

    txtlogo = makeFileEdit("txtlogo", cmdLogo, "cmdLogo");
    txtTbkBack = makeFileEdit("txtTbkBack", cmdBack, "cmdBack");
    txtImg1 = makeFileEdit("txtImg1", cmdImg1, "cmdImg1");
    txtImg2 = makeFileEdit("txtImg2", cmdImg2, "cmdImg2");
    txtVideo = makeFileEdit("txtVideo", cmdVideo, "cmdVideo");
    txtOnline = makeEdit("txtOnline");
    chkMovie = named(new QCheckBox(tr("Enable Movie")), "chkMovie");
    txtVol = makeEdit("txtVol", QStringLiteral("5"));
    txtTime = makeEdit("txtTime", QStringLiteral("5"));

    for (QLineEdit* e : {txtColumn, txtRow, txtRHeight, tblLine, txtVol, txtTime})
        e->installEventFilter(this);

    auto button = [this](const char* name, const QString& caption) {
        auto* b = named(new QPushButton(caption), name);
        return b;
    };
    cmdSave = button("cmdSave", tr("Save"));
    cmdPosition = button("cmdPosition", tr("Position"));
    cmdCounter = button("cmdCounter", tr("Select Counter"));
    cmdClock = button("cmdClock", tr("Select Clock"));
    cmdHeader = button("cmdHeader", tr("Header"));
    cmdScroll = button("cmdScroll", tr("Scroll Settings"));
    cmdClose = button("cmdClose", tr("Close"));
    // The header and scroll settings are not part of this program yet.
    for (QPushButton* b : {cmdHeader, cmdScroll})
        b->setEnabled(false);
    cmdSave->setDefault(true);

    arrangeFields();
    bindColumns();

    connect(cmdSave, &QPushButton::clicked, this, &frmTheme::cmdSave_Click);
    connect(cmdCounter, &QPushButton::clicked, this, &frmTheme::cmdCounter_Click);
    connect(cmdPosition, &QPushButton::clicked, this, [this] {
        frmDesign::openFor(m_ctx, this, lblRef->text(),
                           cmbType->currentData().toString() == QLatin1String("Vertical"));
    });
    connect(cmdClock, &QPushButton::clicked, this,
            [this] { (new frmSelectClock(m_ctx.installDir, m_ctx.clock, txtFormat, this))->show(); });
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdLogo, &QPushButton::clicked, this, [this] { chooseFile(txtlogo); });
    connect(cmdBack, &QPushButton::clicked, this, [this] { chooseFile(txtTbkBack); });
    connect(cmdImg1, &QPushButton::clicked, this, [this] { chooseFile(txtImg1); });
    connect(cmdImg2, &QPushButton::clicked, this, [this] { chooseFile(txtImg2); });
    connect(cmdVideo, &QPushButton::clicked, this, [this] { chooseFile(txtVideo); });

    Form_Load();
    showNewThemeDefaults();
    resize(1100, 640);
}

void frmTheme::Form_Load()
{
    txtTime->setText(m_ctx.settings.get(QStringLiteral("Queue"), QStringLiteral("Pic"),
                                        QStringLiteral("Duration"), txtTime->text()));
    addSize();
    addFont();
    cmbType->setCurrentIndex(0);
}

void frmTheme::addSize()
{
    QStringList sizes;
    for (int s = 2; s <= 50; s += 2)
        sizes.append(QString::number(s));
    // Larger sizes for the token labels of a hall board.
    for (int s : {56, 64, 72, 80, 96})
        sizes.append(QString::number(s));
    for (QComboBox* c : {cmbTSize, cmbRFsize, cmbHFSize, cmbVFSize, cmbTtlSize}) {
        const QString keep = c->currentText();
        c->clear();
        c->addItems(sizes);
        c->setCurrentText(keep);
    }
}

void frmTheme::addFont()
{
    const QStringList families = QFontDatabase::families();
    for (QComboBox* c : {cmbFont, cmbRowFont, cmbHFont, cmbVFont, cmbTtlFont}) {
        const QString keep = c->currentText();
        c->blockSignals(true);
        c->clear();
        c->addItems(families);
        c->setCurrentText(keep);
        c->blockSignals(false);
    }
}

bool frmTheme::chkVal()
{
    return themeRules::chkVal(txtColWidth->text(), txtColumn->text());
}

void frmTheme::cmdSave_Click()
{
    m_ctx.settings.set(QStringLiteral("Queue"), QStringLiteral("Pic"), QStringLiteral("Duration"),
                       txtTime->text());
    // An empty width list gets the default for the columns, as leaving "Colums" would give it.
    if (txtColWidth->text().trimmed().isEmpty())
        txtColumn_LostFocus();
    if (!chkVal()) {
        m_ctx.dialogs.message(tr("Please Enter a valid colum widths"), Dialogs::Buttons::Ok,
                              Dialogs::Icon::None, {}, this);
        return;
    }
    if (txtName->text().isEmpty()) {
        m_ctx.dialogs.message(tr("Please select a name"), Dialogs::Buttons::Ok, Dialogs::Icon::None, {},
                              this);
        return;
    }
    const bool saved = lblRef->text().isEmpty() ? saveData() : updateData();
    if (!saved)
        return;
    refreshList();
    hide();
}

void frmTheme::refreshList()
{
    if (auto* list = qobject_cast<frmThLst*>(m_ctx.screens.existing(QStringLiteral("thmLst"))))
        list->addFG();
}

void frmTheme::cmdCounter_Click()
{
    if (lblRef->text().isEmpty())
        return;
    if (auto* choice =
            qobject_cast<frmSelectCounter*>(m_ctx.screens.open(QStringLiteral("frmSelectCounter"))))
        choice->setTheme(lblRef->text().toLongLong());
}
