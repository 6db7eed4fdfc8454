#include "display/frmTheme.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/ScreenRegistry.h"
#include "core/Settings.h"
#include "display/ThemeRules.h"
#include "display/design/frmDesign.h"
#include "display/frmSelectCounter.h"
#include "display/frmThLst.h"
#include "display/media/frmSelectClock.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString LogoFilter = QStringLiteral(
    "Jpeg Files(*.jpg)|*.jpg|GIF Files(*.gif)|*.gif|Flash Files(*.swf)|*.swf|All Files(*.*)|*.*");
const QString BackFilter = QStringLiteral("Jpeg Files(*.jpg)|*.jpg|");
const QString VideoFilter = QStringLiteral("Video Files (*.avi;*.dat;*.mpg;*.wmv)| *.avi;*.dat;*.mpg;*.wmv");
const QString PictureFilter = QStringLiteral("Jpeg Files(*.jpg)|*.jpg|GIF Files(*.gif)|*.gif|*.*");

QWidget* row(std::initializer_list<QWidget*> widgets)
{
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    for (QWidget* x : widgets)
        h->addWidget(x);
    return w;
}

} // namespace

frmTheme::frmTheme(AppContext& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("frmTheme"));
    setWindowFlags(Qt::Window);
    setWindowTitle(QStringLiteral("Theme"));

    lblRef = named(new QLabel(this), "lblRef");
    lblRef->hide();

    txtName = makeEdit("txtName");
    cmbType = makeCombo("cmbType", false);
    cmbType->setEditable(false);
    cmbType->addItems({QStringLiteral("Vertical"), QStringLiteral("Horrizontal")});
    txtColumn = makeEdit("txtColumn", QStringLiteral("2"));
    txtRow = makeEdit("txtRow", QStringLiteral("12"));
    txtColWidth = makeEdit("txtColWidth");
    txtRHeight = makeEdit("txtRHeight", QStringLiteral("500"));
    tblLine = makeEdit("tblLine", QStringLiteral("1"));
    chkHeader = named(new QCheckBox(QStringLiteral("Enable Header")), "chkHeader");
    Text1 = makeEdit("Text1");
    Text2 = makeEdit("Text2");

    txtttl = makeEdit("txtttl");
    cmbTtlFont = makeCombo("cmbTtlFont", true);
    cmbTtlSize = makeCombo("cmbTtlSize", false);
    lblttlClr = makeSwatch("lblttlClr");
    chkScroll = named(new QCheckBox(QStringLiteral("Scroll")), "chkScroll");

    chktime = named(new QCheckBox(QStringLiteral("Display Time")), "chktime");
    txtFormat = makeEdit("txtFormat");
    txtFormat->setReadOnly(true);
    txtFormat->installEventFilter(this);
    cmbFont = makeCombo("cmbFont", false);
    cmbTSize = makeCombo("cmbTSize", false);
    lblTClr = makeSwatch("lblTClr");
    txtTformat = makeEdit("txtTformat", QStringLiteral("dd-MMM-yyyy HH:mm"));

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
    chkMovie = named(new QCheckBox(QStringLiteral("Enable Movie")), "chkMovie");
    txtVol = makeEdit("txtVol", QStringLiteral("5"));
    txtTime = makeEdit("txtTime", QStringLiteral("5"));

    for (QLineEdit* e : {txtColumn, txtRow, txtRHeight, tblLine, txtVol, txtTime})
        e->installEventFilter(this);

    auto button = [this](const char* name, const QString& caption) {
        auto* b = named(new QPushButton(caption), name);
        return b;
    };
    cmdSave = button("cmdSave", QStringLiteral("Save"));
    cmdPosition = button("cmdPosition", QStringLiteral("Position"));
    cmdCounter = button("cmdCounter", QStringLiteral("Select Counter"));
    cmdClock = button("cmdClock", QStringLiteral("Select Clock"));
    cmdHeader = button("cmdHeader", QStringLiteral("Header"));
    cmdScroll = button("cmdScroll", QStringLiteral("Scroll Settings"));
    cmdClose = button("cmdClose", QStringLiteral("Close"));
    // The header and scroll settings are not part of this program yet.
    for (QPushButton* b : {cmdHeader, cmdScroll})
        b->setEnabled(false);
    cmdSave->setDefault(true);

    // Layout: three columns of framed groups, the commands along the bottom.
    auto group = [](const QString& title, QFormLayout*& form) {
        auto* g = new QGroupBox(title);
        form = new QFormLayout(g);
        form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
        return g;
    };
    QFormLayout* f = nullptr;
    QGroupBox* gTheme = group(QStringLiteral("Theme"), f);
    f->addRow(QStringLiteral("Name"), txtName);
    f->addRow(QStringLiteral("DisplayType"), cmbType);
    f->addRow(QStringLiteral("Colums"), txtColumn);
    f->addRow(QStringLiteral("Rows"), txtRow);
    f->addRow(QStringLiteral("Column Width"), txtColWidth);
    f->addRow(QStringLiteral("Row Height"), txtRHeight);
    f->addRow(QStringLiteral("Line Width"), tblLine);
    f->addRow(QString(), chkHeader);
    f->addRow(QStringLiteral("Column1"), Text1);
    f->addRow(QStringLiteral("Column2"), Text2);

    QGroupBox* gTitle = group(QStringLiteral("Title"), f);
    f->addRow(QStringLiteral("Heading"), txtttl);
    f->addRow(QStringLiteral("Font Name"), cmbTtlFont);
    f->addRow(QStringLiteral("Font Size"), cmbTtlSize);
    f->addRow(QStringLiteral("Font Color"), lblttlClr);
    f->addRow(QString(), chkScroll);

    QGroupBox* gColours = group(QStringLiteral("Colors"), f);
    f->addRow(QStringLiteral("BG Color"), lblBGClr);
    f->addRow(QStringLiteral("Line Color"), lblLClr);
    f->addRow(QStringLiteral("Alt Row Color"), lblARClr);
    f->addRow(QStringLiteral("Screen BG"), lblBG);
    f->addRow(QStringLiteral("News BG"), lblNewsBG);

    QGroupBox* gTime = group(QStringLiteral("Time Settings"), f);
    f->addRow(QString(), chktime);
    f->addRow(QStringLiteral("Clock"), row({txtFormat, cmdClock}));
    f->addRow(QStringLiteral("Font Name"), cmbFont);
    f->addRow(QStringLiteral("Font Size"), cmbTSize);
    f->addRow(QStringLiteral("ForeColor"), lblTClr);
    f->addRow(QStringLiteral("Format Time"), txtTformat);

    QGroupBox* gHeader = group(QStringLiteral("Header Deatils"), f);
    f->addRow(QStringLiteral("Font"), cmbHFont);
    f->addRow(QStringLiteral("Font Size"), cmbHFSize);
    f->addRow(QStringLiteral("Header BG"), lblHBGClr);
    f->addRow(QStringLiteral("Font Color"), lblHClr);

    QGroupBox* gFirst = group(QStringLiteral("First Column"), f);
    f->addRow(QStringLiteral("Row Font"), cmbRowFont);
    f->addRow(QStringLiteral("Font Size"), cmbRFsize);
    f->addRow(QStringLiteral("Font Color"), lblRFcolor);
    f->addRow(QStringLiteral("Color"), lblRDClr);

    QGroupBox* gSecond = group(QStringLiteral("Second Column"), f);
    f->addRow(QStringLiteral("Font"), cmbVFont);
    f->addRow(QStringLiteral("Font Size"), cmbVFSize);
    f->addRow(QStringLiteral("Font Color"), lblVFColor);
    f->addRow(QStringLiteral("Color"), lblVBGClr);

    QGroupBox* gMedia = group(QStringLiteral("Pictures and Video"), f);
    f->addRow(QStringLiteral("Logo"), row({txtlogo, cmdLogo}));
    f->addRow(QStringLiteral("Background"), row({txtTbkBack, cmdBack}));
    f->addRow(QStringLiteral("Header img"), row({txtImg1, cmdImg1}));
    f->addRow(QStringLiteral("Detail img"), row({txtImg2, cmdImg2}));
    f->addRow(QStringLiteral("Video To Display"), row({txtVideo, cmdVideo}));
    f->addRow(QStringLiteral("Online Video"), txtOnline);
    f->addRow(QString(), chkMovie);
    f->addRow(QStringLiteral("Volume"), txtVol);
    f->addRow(QStringLiteral("Picture Slide Duration"), txtTime);

    auto* columns = new QHBoxLayout;
    auto column = [&](std::initializer_list<QWidget*> groups) {
        auto* v = new QVBoxLayout;
        for (QWidget* g : groups)
            v->addWidget(g);
        v->addStretch(1);
        columns->addLayout(v, 1);
    };
    column({gTheme, gTitle, gColours});
    column({gTime, gHeader, gFirst, gSecond});
    column({gMedia});

    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {cmdPosition, cmdCounter, cmdHeader, cmdScroll})
        commands->addWidget(b);
    commands->addStretch(1);
    commands->addWidget(cmdSave);
    commands->addWidget(cmdClose);

    auto* main = new QVBoxLayout(this);
    main->addLayout(columns);
    main->addLayout(commands);

    // The columns of tbltheme and the fields that hold them, in the table's order.
    m_bindings = {
        {QStringLiteral("themename"), txtName},    {QStringLiteral("colums"), txtColumn},
        {QStringLiteral("rows"), txtRow},          {QStringLiteral("colwidth"), txtColWidth},
        {QStringLiteral("rowheight"), txtRHeight}, {QStringLiteral("logo"), txtlogo},
        {QStringLiteral("displaytime"), chktime},  {QStringLiteral("clockfile"), txtFormat},
        {QStringLiteral("fonttime"), cmbFont},     {QStringLiteral("sizetime"), cmbTSize},
        {QStringLiteral("clrtime"), lblTClr},      {QStringLiteral("backgroundclr"), lblBGClr},
        {QStringLiteral("linecolor"), lblLClr},    {QStringLiteral("altcolr"), lblARClr},
        {QStringLiteral("bgimage"), txtTbkBack},   {QStringLiteral("hdfont"), cmbHFont},
        {QStringLiteral("hdclrbg"), lblHBGClr},    {QStringLiteral("hdfntclr"), lblHClr},
        {QStringLiteral("hdfntsize"), cmbHFSize},  {QStringLiteral("fntcrr"), cmbRowFont},
        {QStringLiteral("sizecrr"), cmbRFsize},    {QStringLiteral("clrcrr"), lblRFcolor},
        {QStringLiteral("bgcrr"), lblRDClr},       {QStringLiteral("fntval"), cmbVFont},
        {QStringLiteral("sizeval"), cmbVFSize},    {QStringLiteral("clrval"), lblVFColor},
        {QStringLiteral("bgval"), lblVBGClr},      {QStringLiteral("type"), cmbType},
        {QStringLiteral("screenbg"), lblBG},       {QStringLiteral("linewidth"), tblLine},
        {QStringLiteral("video"), txtVideo},       {QStringLiteral("onlinevideo"), txtOnline},
        {QStringLiteral("volume"), txtVol},        {QStringLiteral("movie"), chkMovie},
        {QStringLiteral("ttlname"), txtttl},       {QStringLiteral("ttlfont"), cmbTtlFont},
        {QStringLiteral("ttlcolor"), lblttlClr},   {QStringLiteral("ttlsize"), cmbTtlSize},
        {QStringLiteral("scroll"), chkScroll},     {QStringLiteral("tformat"), txtTformat},
        {QStringLiteral("enableH"), chkHeader},    {QStringLiteral("Column1"), Text1},
        {QStringLiteral("Column2"), Text2},        {QStringLiteral("img1"), txtImg1},
        {QStringLiteral("img2"), txtImg2},         {QStringLiteral("newsBG"), lblNewsBG},
    };

    connect(cmdSave, &QPushButton::clicked, this, &frmTheme::cmdSave_Click);
    connect(cmdCounter, &QPushButton::clicked, this, &frmTheme::cmdCounter_Click);
    connect(cmdPosition, &QPushButton::clicked, this, [this] {
        frmDesign::openFor(m_ctx, this, lblRef->text(), cmbType->currentText() == QLatin1String("Vertical"));
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
    resize(1100, 640);
}

QLineEdit* frmTheme::makeEdit(const char* name, const QString& text)
{
    auto* e = named(new QLineEdit(text), name);
    return e;
}

QLineEdit* frmTheme::makeFileEdit(const char* name, QPushButton*& button, const char* buttonName)
{
    QLineEdit* e = makeEdit(name);
    e->setReadOnly(true);
    e->installEventFilter(this);
    button = named(new QPushButton(QStringLiteral("--")), buttonName);
    button->setFixedWidth(36);
    return e;
}

QLabel* frmTheme::makeSwatch(const char* name)
{
    auto* l = named(new QLabel, name);
    l->setAutoFillBackground(true);
    l->setFrameShape(QFrame::Box);
    l->setMinimumSize(64, 22);
    l->setMaximumWidth(96);
    l->setCursor(Qt::PointingHandCursor);
    l->setToolTip(QStringLiteral("Click to choose a colour"));
    l->installEventFilter(this);
    setSwatchColor(l, 16777215);
    m_swatches.append(l);
    return l;
}

QComboBox* frmTheme::makeCombo(const char* name, bool preview)
{
    auto* c = named(new QComboBox, name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMinimumContentsLength(10);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (preview) {
        m_previewFonts.append(c);
        connect(c, &QComboBox::currentTextChanged, this, [this, c] { showFontPreview(c); });
    }
    return c;
}

void frmTheme::showFontPreview(QComboBox* combo)
{
    QFont f = font();
    if (!combo->currentText().isEmpty())
        f.setFamily(combo->currentText());
    combo->setFont(f);
}

qint64 frmTheme::swatchColor(const QLabel* swatch)
{
    return colorNumber::fromColor(swatch->palette().color(QPalette::Window));
}

void frmTheme::setSwatchColor(QLabel* swatch, qint64 number)
{
    QPalette p = swatch->palette();
    p.setColor(QPalette::Window, colorNumber::toColor(number));
    swatch->setPalette(p);
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

void frmTheme::getData()
{
    ResultSet rs;
    try {
        rs = m_ctx.db.query(QStringLiteral("select * from tbltheme where themeauto=?"),
                            {lblRef->text().toLongLong()});
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
        return;
    }
    if (rs.isEmpty())
        return;
    // A theme's type cannot change once it is made.
    cmbType->setEnabled(false);
    for (const Binding& b : m_bindings) {
        try {
            const QString value = rs.text(0, b.column);
            if (auto* e = qobject_cast<QLineEdit*>(b.field)) {
                e->setText(value);
            } else if (auto* c = qobject_cast<QComboBox*>(b.field)) {
                if (c->isEditable()) {
                    c->setCurrentText(value);
                } else {
                    const int i = c->findText(value);
                    if (i >= 0)
                        c->setCurrentIndex(i);
                }
            } else if (auto* k = qobject_cast<QCheckBox*>(b.field)) {
                k->setChecked(value.trimmed() == QLatin1String("1"));
            } else if (auto* l = qobject_cast<QLabel*>(b.field)) {
                bool ok = false;
                const qint64 n = value.trimmed().toLongLong(&ok);
                if (ok)
                    setSwatchColor(l, n);
            }
        } catch (const DbError&) {
            // A field the row cannot fill keeps what it shows.
        }
    }
}

QVariantMap frmTheme::fieldValues() const
{
    QVariantMap values;
    for (const Binding& b : m_bindings) {
        QVariant v;
        if (auto* e = qobject_cast<QLineEdit*>(b.field))
            v = e->text();
        else if (auto* c = qobject_cast<QComboBox*>(b.field))
            v = c->currentText();
        else if (auto* k = qobject_cast<QCheckBox*>(b.field))
            v = k->isChecked() ? 1 : 0;
        else if (auto* l = qobject_cast<QLabel*>(b.field))
            v = swatchColor(l);
        values.insert(b.column, v);
    }
    return values;
}

bool frmTheme::saveData()
{
    try {
        const qint64 key = m_ctx.db.insert(QStringLiteral("tbltheme"), fieldValues());
        lblRef->setText(QString::number(key));
        return true;
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
        return false;
    }
}

bool frmTheme::updateData()
{
    try {
        m_ctx.db.update(QStringLiteral("tbltheme"), lblRef->text().toLongLong(), fieldValues());
        return true;
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
        return false;
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
    if (!chkVal()) {
        m_ctx.dialogs.message(QStringLiteral("Please Enter a valid colum widths"), Dialogs::Buttons::Ok,
                              Dialogs::Icon::None, {}, this);
        return;
    }
    if (txtName->text().isEmpty()) {
        m_ctx.dialogs.message(QStringLiteral("Please select a name"), Dialogs::Buttons::Ok,
                              Dialogs::Icon::None, {}, this);
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

void frmTheme::chooseFile(QLineEdit* field)
{
    QString filter;
    if (field == txtlogo)
        filter = LogoFilter;
    else if (field == txtTbkBack)
        filter = BackFilter;
    else if (field == txtVideo)
        filter = VideoFilter;
    else
        filter = PictureFilter;
    const QString file =
        m_ctx.dialogs.openFileName(QStringLiteral("Open"), themeRules::dialogFilter(filter), QString(), this);
    if (!file.isEmpty())
        field->setText(file);
}

void frmTheme::chooseColor(QLabel* swatch)
{
    const std::optional<QColor> c = m_ctx.dialogs.color(swatch->palette().color(QPalette::Window), this);
    if (c && c->isValid())
        setSwatchColor(swatch, colorNumber::fromColor(*c));
}

void frmTheme::txtColumn_LostFocus()
{
    QString columns = txtColumn->text();
    QString widths = txtColWidth->text();
    themeRules::fixColumns(columns, widths);
    txtColumn->setText(columns);
    txtColWidth->setText(widths);
}

void frmTheme::txtRow_LostFocus()
{
    txtRow->setText(themeRules::fixRows(txtRow->text()));
}
void frmTheme::txtRHeight_LostFocus()
{
    txtRHeight->setText(themeRules::fixRowHeight(txtRHeight->text()));
}
void frmTheme::tblLine_LostFocus()
{
    tblLine->setText(themeRules::fixLineWidth(tblLine->text()));
}
void frmTheme::txtVol_LostFocus()
{
    txtVol->setText(themeRules::fixVolume(txtVol->text()));
}
void frmTheme::txtTime_LostFocus()
{
    txtTime->setText(themeRules::fixDuration(txtTime->text()));
}

bool frmTheme::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == txtColumn)
            txtColumn_LostFocus();
        else if (watched == txtRow)
            txtRow_LostFocus();
        else if (watched == txtRHeight)
            txtRHeight_LostFocus();
        else if (watched == tblLine)
            tblLine_LostFocus();
        else if (watched == txtVol)
            txtVol_LostFocus();
        else if (watched == txtTime)
            txtTime_LostFocus();
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete) {
            for (QLineEdit* e : {txtlogo, txtTbkBack, txtImg1, txtImg2, txtVideo, txtFormat}) {
                if (watched == e) {
                    e->clear();
                    return true;
                }
            }
        }
    } else if (event->type() == QEvent::MouseButtonPress) {
        if (auto* swatch = qobject_cast<QLabel*>(watched); swatch && m_swatches.contains(swatch)) {
            chooseColor(swatch);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
