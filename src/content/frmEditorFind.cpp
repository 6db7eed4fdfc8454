#include "content/frmEditor.h"

#include "core/AppContext.h"
#include "ui/Dialogs.h"

#include <QLabel>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

// Find, Find Next, Replace and Remove && Replace on the rich-text box, and the Tabs ... command.
// Finding ignores letter case and goes on from the top when it reaches the end.

namespace {

QTextCursor findFrom(QTextDocument* doc, const QString& text, const QTextCursor& from)
{
    QTextCursor found = doc->find(text, from);
    if (found.isNull())
        found = doc->find(text, 0);
    return found;
}

} // namespace

void frmEditor::mnuFind_Click()
{
    const std::optional<QString> text =
        m_ctx.dialogs.inputBox(tr("Find what:"), tr("Find"), m_findText, this);
    if (!text || text->isEmpty())
        return;
    m_findText = *text;
    findNext();
}

bool frmEditor::findNext()
{
    if (m_findText.isEmpty()) {
        mnuFind_Click();
        return false;
    }
    const QTextCursor found = findFrom(RichTextBox1->document(), m_findText, RichTextBox1->textCursor());
    if (found.isNull()) {
        m_ctx.dialogs.message(tr("Cannot find \"%1\"").arg(m_findText), Dialogs::Buttons::Ok,
                              Dialogs::Icon::Information, tr("Find"), this);
        return false;
    }
    RichTextBox1->setTextCursor(found);
    return true;
}

std::optional<std::pair<QString, QString>> frmEditor::askReplace(const QString& title)
{
    const std::optional<QString> what = m_ctx.dialogs.inputBox(tr("Find what:"), title, m_findText, this);
    if (!what || what->isEmpty())
        return std::nullopt;
    const std::optional<QString> with =
        m_ctx.dialogs.inputBox(tr("Replace with:"), title, m_replaceText, this);
    if (!with)
        return std::nullopt;
    m_findText = *what;
    m_replaceText = *with;
    return std::pair(*what, *with);
}

void frmEditor::mnuReplace_Click()
{
    // The next occurrence from the cursor is replaced and the one after it selected; the new text
    // takes the formatting of the text it replaces.
    const auto texts = askReplace(tr("Replace"));
    if (!texts)
        return;
    QTextCursor c = RichTextBox1->textCursor();
    if (c.selectedText().compare(texts->first, Qt::CaseInsensitive) != 0)
        c = findFrom(RichTextBox1->document(), texts->first, c);
    if (c.isNull()) {
        m_ctx.dialogs.message(tr("Cannot find \"%1\"").arg(texts->first), Dialogs::Buttons::Ok,
                              Dialogs::Icon::Information, tr("Replace"), this);
        return;
    }
    c.insertText(texts->second);
    RichTextBox1->setTextCursor(c);
    const QTextCursor next = RichTextBox1->document()->find(texts->first, c);
    if (!next.isNull())
        RichTextBox1->setTextCursor(next);
}

void frmEditor::mnuReplaceAll_Click()
{
    // Every occurrence is removed and the new text put in its place, in one undo step.
    const auto texts = askReplace(tr("Remove & Replace"));
    if (!texts)
        return;
    int replaced = 0;
    QTextCursor edit(RichTextBox1->document());
    edit.beginEditBlock();
    QTextCursor c = RichTextBox1->document()->find(texts->first, 0);
    while (!c.isNull()) {
        c.insertText(texts->second);
        ++replaced;
        c = RichTextBox1->document()->find(texts->first, c);
    }
    edit.endEditBlock();
    status->setText(tr("%1 replaced").arg(replaced));
    if (replaced == 0)
        m_ctx.dialogs.message(tr("Cannot find \"%1\"").arg(texts->first), Dialogs::Buttons::Ok,
                              Dialogs::Icon::Information, tr("Remove & Replace"), this);
}

void frmEditor::mnuTabs_Click()
{
    // Tab stops of the selected paragraphs, in twips as everywhere in the program.
    constexpr double TwipsPerUnit = 15.0;
    QTextCursor c = RichTextBox1->textCursor();
    QStringList current;
    for (const QTextOption::Tab& t : c.blockFormat().tabPositions())
        current.append(QString::number(qRound(t.position * TwipsPerUnit)));
    const std::optional<QString> text =
        m_ctx.dialogs.inputBox(tr("Tab stops in twips (1440 to the inch), separated by blanks:"), tr("Tabs"),
                               current.join(QLatin1Char(' ')), this);
    if (!text)
        return;
    QList<QTextOption::Tab> tabs;
    for (const QString& part : text->split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int twips = part.toInt(&ok);
        if (!ok || twips <= 0 || twips > 31680) {
            m_ctx.dialogs.message(tr("\"%1\" is not a tab stop: give whole twips from 1 to 31680.").arg(part),
                                  Dialogs::Buttons::Ok, Dialogs::Icon::Warning, tr("Tabs"), this);
            return;
        }
        tabs.append(QTextOption::Tab(twips / TwipsPerUnit, QTextOption::LeftTab));
    }
    std::sort(tabs.begin(), tabs.end(),
              [](const QTextOption::Tab& a, const QTextOption::Tab& b) { return a.position < b.position; });
    QTextBlockFormat f;
    f.setTabPositions(tabs);
    c.mergeBlockFormat(f);
    RichTextBox1->setFocus();
}
