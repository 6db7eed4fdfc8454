#include "content/frmEditor.h"

#include "content/EditorHelpers.h"
#include "content/EditorRuler.h"
#include "core/AppContext.h"
#include "core/Settings.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>

// The Format menu's commands, the font, size, style and speed boxes, and the states that follow the
// cursor.

namespace {

void mergeFormat(QTextEdit* edit, const QTextCharFormat& format)
{
    QTextCursor cursor = edit->textCursor();
    if (cursor.hasSelection())
        cursor.mergeCharFormat(format);
    edit->mergeCurrentCharFormat(format);
    edit->setFocus();
}

} // namespace

void frmEditor::setBold()
{
    QTextCharFormat f;
    f.setFontWeight(RichTextBox1->currentCharFormat().fontWeight() >= QFont::Bold ? QFont::Normal
                                                                                  : QFont::Bold);
    mergeFormat(RichTextBox1, f);
    updateFromCursor();
}

void frmEditor::setItalic()
{
    QTextCharFormat f;
    f.setFontItalic(!RichTextBox1->currentCharFormat().fontItalic());
    mergeFormat(RichTextBox1, f);
    updateFromCursor();
}

void frmEditor::setUnderline()
{
    QTextCharFormat f;
    f.setFontUnderline(!RichTextBox1->currentCharFormat().fontUnderline());
    mergeFormat(RichTextBox1, f);
    updateFromCursor();
}

void frmEditor::setStrikeout()
{
    QTextCharFormat f;
    f.setFontStrikeOut(!RichTextBox1->currentCharFormat().fontStrikeOut());
    mergeFormat(RichTextBox1, f);
    updateFromCursor();
}

void frmEditor::setBullets()
{
    QTextCursor cursor = RichTextBox1->textCursor();
    if (QTextList* list = cursor.currentList()) {
        // Take the selected paragraphs out of the list.
        QTextBlockFormat plain;
        plain.setIndent(0);
        const QTextBlock first = RichTextBox1->document()->findBlock(cursor.selectionStart());
        const QTextBlock last = RichTextBox1->document()->findBlock(cursor.selectionEnd());
        for (QTextBlock b = first; b.isValid(); b = b.next()) {
            list->remove(b);
            QTextCursor c(b);
            c.setBlockFormat(plain);
            if (b == last)
                break;
        }
    } else {
        cursor.createList(QTextListFormat::ListDisc);
    }
    updateFromCursor();
}

void frmEditor::setAlignment(Qt::Alignment alignment)
{
    RichTextBox1->setAlignment(alignment);
    updateFromCursor();
}

void frmEditor::chooseFont()
{
    QFont initial = RichTextBox1->currentFont();
    const std::optional<QFont> font = m_ctx.dialogs.font(initial, this);
    if (!font)
        return;
    QTextCharFormat f;
    f.setFont(*font);
    mergeFormat(RichTextBox1, f);
    editor::selectText(Combo1, font->family());
    if (font->pointSize() > 0)
        editor::selectText(Combo2, QString::number(font->pointSize()));
}

void frmEditor::chooseForeColour()
{
    if (const std::optional<QColor> color = pickColour(m_textColor, QTextFormat::ForegroundBrush))
        setSwatchColor(*color);
}

void frmEditor::chooseBackColour()
{
    if (const std::optional<QColor> color = pickColour(m_backColor, QTextFormat::BackgroundBrush))
        setBackSwatchColor(*color);
}

std::optional<QColor> frmEditor::pickColour(const QColor& initial, int brushProperty)
{
    const std::optional<QColor> color = m_ctx.dialogs.color(initial, this);
    if (!color || !color->isValid())
        return std::nullopt;
    QTextCharFormat f;
    f.setProperty(brushProperty, QBrush(*color));
    mergeFormat(RichTextBox1, f);
    return color;
}

void frmEditor::setUpperCase(bool upper)
{
    QTextCursor cursor = RichTextBox1->textCursor();
    if (!cursor.hasSelection())
        return;
    const QString text = cursor.selectedText();
    cursor.insertText(upper ? text.toUpper() : text.toLower());
}

void frmEditor::deleteSelection()
{
    RichTextBox1->textCursor().removeSelectedText();
}

void frmEditor::Combo1_Click()
{
    QTextCharFormat f;
    f.setFontFamilies({Combo1->currentText()});
    const int size = Combo2->currentText().toInt();
    if (size > 0)
        f.setFontPointSize(size);
    mergeFormat(RichTextBox1, f);
    QFont font = Text1->font();
    font.setFamily(Combo1->currentText());
    Text1->setFont(font);
}

void frmEditor::Combo2_Click()
{
    const int size = Combo2->currentText().toInt();
    if (size <= 0)
        return;
    QTextCharFormat f;
    f.setFontPointSize(size);
    mergeFormat(RichTextBox1, f);
    QFont font = Text1->font();
    font.setPointSize(size);
    Text1->setFont(font);
}

void frmEditor::Combo3_Click()
{
    struct Style
    {
        int points;
        bool bold;
        int shown;
    };
    static const Style styles[] = {{8, false, 8}, {16, true, 12}, {14, true, 10}, {13, true, 9}};
    const int i = Combo3->currentIndex();
    if (i < 0 || i > 3)
        return;
    QTextCharFormat f;
    f.setFontPointSize(styles[i].points);
    f.setFontWeight(styles[i].bold ? QFont::Bold : QFont::Normal);
    mergeFormat(RichTextBox1, f);
    QFont shown = Combo3->font();
    shown.setPointSize(styles[i].shown);
    shown.setBold(styles[i].bold);
    Combo3->setFont(shown);
}

void frmEditor::cmbSpeed_Click()
{
    m_ctx.settings.set(editor::SpeedApp, editor::SpeedSection, editor::SpeedKey, cmbSpeed->currentText());
}

void frmEditor::updateFromCursor()
{
    const QTextCharFormat f = RichTextBox1->currentCharFormat();
    m_bold->setChecked(f.fontWeight() >= QFont::Bold);
    m_italic->setChecked(f.fontItalic());
    m_underline->setChecked(f.fontUnderline());
    m_strike->setChecked(f.fontStrikeOut());
    m_bullets->setChecked(RichTextBox1->textCursor().currentList() != nullptr);
    const Qt::Alignment a = RichTextBox1->alignment();
    m_center->setChecked(a & Qt::AlignHCenter);
    m_right->setChecked(a & Qt::AlignRight);
    m_left->setChecked(!(a & (Qt::AlignHCenter | Qt::AlignRight)));
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty())
        editor::selectText(Combo1, families.first());
    if (f.fontPointSize() > 0)
        editor::selectText(Combo2, QString::number(int(f.fontPointSize())));
    ruler->setTextOrigin(RichTextBox1->mapTo(ruler->parentWidget(), QPoint(0, 0)).x() - ruler->x() +
                         RichTextBox1->frameWidth() + int(RichTextBox1->document()->documentMargin()));
    ruler->setIndent(RichTextBox1->textCursor().blockFormat().leftMargin());
    const int line = RichTextBox1->textCursor().blockNumber() + 1;
    status->setText(tr("Line : %1").arg(QLocale(QLocale::English).toString(line)));
}
