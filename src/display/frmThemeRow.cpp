// The theme editor and its tbltheme row: which field holds which column, loading and writing the row.
#include "display/frmTheme.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "display/ThemeDefaults.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>

void frmTheme::bindColumns()
{
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
}

void frmTheme::showNewThemeDefaults()
{
    const QMap<QString, QColor> colors = themeDefaults::newThemeColors();
    const QMap<QString, QString> fonts = themeDefaults::newThemeFonts(QFontDatabase::families());
    const QMap<QString, QString> table = themeDefaults::newThemeTable();
    for (const Binding& b : m_bindings) {
        if (auto* swatch = qobject_cast<QLabel*>(b.field); swatch && colors.contains(b.column))
            setSwatchColor(swatch, colorNumber::fromColor(colors.value(b.column)));
        else if (auto* list = qobject_cast<QComboBox*>(b.field); list && fonts.contains(b.column))
            list->setCurrentText(fonts.value(b.column));
        else if (auto* edit = qobject_cast<QLineEdit*>(b.field); edit && table.contains(b.column))
            edit->setText(table.value(b.column));
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
                    // Lists that show translated entries keep the stored value as the entry's data.
                    int i = c->findData(value);
                    if (i < 0)
                        i = c->findText(value);
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
            v = !c->isEditable() && c->currentData().isValid() ? c->currentData().toString()
                                                               : c->currentText();
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
    qint64 written = 0;
    try {
        written = m_ctx.db.update(QStringLiteral("tbltheme"), lblRef->text().toLongLong(), fieldValues());
    } catch (const DbError& e) {
        m_ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Critical, {}, this);
        return false;
    }
    if (written > 0)
        return true;
    // The row is gone (deleted in the list, here or on another workstation). Nothing is written and
    // nothing is made anew behind the user's back: the editor keeps what was typed, and the list
    // drops the row.
    refreshList();
    m_ctx.dialogs.message(tr("The theme \"%1\" has been deleted meanwhile, so the changes were not "
                             "saved. To keep them, choose Add New in the Theme List and save "
                             "again.")
                              .arg(txtName->text()),
                          Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, this);
    return false;
}
