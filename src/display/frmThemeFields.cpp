// How the theme editor's fields behave: colour swatches, font lists with their preview, file
// fields with their dialogs, and the rules applied when a field is left.
#include "display/frmTheme.h"

#include "core/AppContext.h"
#include "display/ThemeRules.h"
#include "display/media/TimeFormat.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Named.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// The dialogs' filters: "name|patterns|…"; only the names are for translating.
const char* const LogoFilter = QT_TRANSLATE_NOOP(
    "frmTheme", "Jpeg Files(*.jpg)|*.jpg|GIF Files(*.gif)|*.gif|Flash Files(*.swf)|*.swf|All Files(*.*)|*.*");
const char* const BackFilter = QT_TRANSLATE_NOOP("frmTheme", "Jpeg Files(*.jpg)|*.jpg|");
const char* const VideoFilter =
    QT_TRANSLATE_NOOP("frmTheme", "Video Files (*.avi;*.dat;*.mpg;*.wmv)| *.avi;*.dat;*.mpg;*.wmv");
const char* const PictureFilter =
    QT_TRANSLATE_NOOP("frmTheme", "Jpeg Files(*.jpg)|*.jpg|GIF Files(*.gif)|*.gif|*.*");

} // namespace

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
    l->setToolTip(tr("Click to choose a colour"));
    l->installEventFilter(this);
    setSwatchColor(l, 16777215);
    m_swatches.append(l);
    return l;
}

void frmTheme::makeTimePreview()
{
    lblTimePreview = named(new QLabel, "lblTimePreview");
    lblTimePreview->setToolTip(tr("The clock as the board shows it with this format"));
    lblTimePreview->setTextFormat(Qt::PlainText);
    connect(txtTformat, &QLineEdit::textChanged, this, &frmTheme::showTimePreview);
    // The preview runs with the clock, so a format with seconds shows them passing.
    auto* tick = new QTimer(this);
    tick->setInterval(1000);
    connect(tick, &QTimer::timeout, this, &frmTheme::showTimePreview);
    tick->start();
    showTimePreview();
}

void frmTheme::showTimePreview()
{
    lblTimePreview->setText(m_ctx.clock.now().toString(boardTimeFormat(txtTformat->text())));
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

void frmTheme::chooseFile(QLineEdit* field)
{
    const char* filter = nullptr;
    if (field == txtlogo)
        filter = LogoFilter;
    else if (field == txtTbkBack)
        filter = BackFilter;
    else if (field == txtVideo)
        filter = VideoFilter;
    else
        filter = PictureFilter;
    const QString file =
        m_ctx.dialogs.openFileName(tr("Open"), themeRules::dialogFilter(tr(filter)), QString(), this);
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
