#include "content/EditorFiles.h"
#include "content/EditorRuler.h"
#include "content/frmEditor.h"
#include "testsupport/TestEnv.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

namespace {

frmEditor* openEditor(TestEnv& env)
{
    return qobject_cast<frmEditor*>(env.screens.open(QStringLiteral("frmEditor")));
}

QString pdfText(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {file});
    p.waitForFinished(30000);
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    const qsizetype at = info.indexOf(QStringLiteral("Pages:"));
    return at < 0 ? 0 : info.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

} // namespace

TEST(NewsEditorCommands, FindFindNextReplaceAndRemoveAndReplace)
{
    TestEnv env;
    frmEditor* e = openEditor(env);
    ASSERT_TRUE(e);
    e->RichTextBox1->setPlainText(QStringLiteral("Lab open. lab closed. LAB moved."));

    // Find ignores case and goes on from the top at the end.
    env.dialogs.setNextInput(QStringLiteral("lab"));
    e->mnuFind_Click();
    EXPECT_EQ(e->RichTextBox1->textCursor().selectionStart(), 0);
    EXPECT_TRUE(e->findNext());
    EXPECT_EQ(e->RichTextBox1->textCursor().selectionStart(), 10);
    EXPECT_TRUE(e->findNext());
    EXPECT_TRUE(e->findNext());
    EXPECT_EQ(e->RichTextBox1->textCursor().selectionStart(), 0) << "wrapped to the top";

    // Replace: the next occurrence, keeping its formatting.
    QTextCursor bold(e->RichTextBox1->document());
    bold.setPosition(10);
    bold.setPosition(13, QTextCursor::KeepAnchor);
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    bold.mergeCharFormat(f);
    QTextCursor at(e->RichTextBox1->document());
    at.setPosition(5);
    e->RichTextBox1->setTextCursor(at);
    env.dialogs.setNextInput(QStringLiteral("lab"));
    env.dialogs.setNextInput(QStringLiteral("X-ray"));
    e->mnuReplace_Click();
    EXPECT_EQ(e->RichTextBox1->toPlainText(), QStringLiteral("Lab open. X-ray closed. LAB moved."));
    QTextCursor probe(e->RichTextBox1->document());
    probe.setPosition(12);
    EXPECT_GE(probe.charFormat().fontWeight(), int(QFont::Bold));

    // Remove & Replace: every one at once.
    env.dialogs.setNextInput(QStringLiteral("lab"));
    env.dialogs.setNextInput(QStringLiteral("Ward"));
    e->mnuReplaceAll_Click();
    EXPECT_EQ(e->RichTextBox1->toPlainText(), QStringLiteral("Ward open. X-ray closed. Ward moved."));
    EXPECT_EQ(e->status->text(), QStringLiteral("2 replaced"));

    env.dialogs.setNextInput(QStringLiteral("nowhere"));
    e->mnuFind_Click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Cannot find \"nowhere\""));
    e->close();
}

TEST(NewsEditorCommands, BackColourTabsAndStatusPanels)
{
    TestEnv env;
    env.clock.set(QDateTime(QDate(2026, 12, 9), QTime(10, 5)));
    frmEditor* e = openEditor(env);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->backSwatchColor(), QColor(Qt::white));
    EXPECT_EQ(e->datePanel->text(), QStringLiteral("09-12-2026"));
    EXPECT_EQ(e->timePanel->text(), QStringLiteral("10:05"));

    e->RichTextBox1->setPlainText(QStringLiteral("a\tb"));
    e->RichTextBox1->selectAll();
    env.dialogs.setNextColor(QColor(255, 255, 0));
    QTest::mouseClick(e->Picture2, Qt::LeftButton);
    EXPECT_EQ(e->backSwatchColor(), QColor(255, 255, 0));
    QTextCursor c(e->RichTextBox1->document());
    c.setPosition(1);
    EXPECT_EQ(c.charFormat().background().color(), QColor(255, 255, 0));

    env.dialogs.setNextInput(QStringLiteral("1440 720"));
    e->mnuTabs_Click();
    const QList<QTextOption::Tab> tabs = e->RichTextBox1->document()->begin().blockFormat().tabPositions();
    ASSERT_EQ(tabs.size(), 2);
    EXPECT_EQ(tabs[0].position, 48);
    EXPECT_EQ(tabs[1].position, 96);
    env.dialogs.setNextInput(QStringLiteral("12 abc"));
    e->mnuTabs_Click();
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("\"abc\" is not a tab stop")));
    EXPECT_EQ(e->RichTextBox1->document()->begin().blockFormat().tabPositions().size(), 2);
    e->close();
}

TEST(NewsEditorCommands, OpenReadsTextInItsEncodingRefusesBinaryAndSaveAsWritesBoth)
{
    TestEnv env;
    frmEditor* e = openEditor(env);
    ASSERT_TRUE(e);
    const QString greeting = QStringLiteral("Caf\u00e9 \u041f\u0440\u0438\u0432\u0435\u0442 25/12");
    env.writeFile(QStringLiteral("utf8.txt"), greeting.toUtf8());
    QByteArray utf16("\xff\xfe", 2);
    for (const QChar c : greeting) {
        utf16.append(char(c.unicode() & 0xff));
        utf16.append(char(c.unicode() >> 8));
    }
    env.writeFile(QStringLiteral("utf16.txt"), utf16);
    env.writeFile(QStringLiteral("ansi.txt"), QByteArray("Caf\xe9 \x80 5"));
    for (const char* name : {"utf8.txt", "utf16.txt"}) {
        env.dialogs.setNextFileName(env.path(QString::fromLatin1(name)));
        e->mnuOpen_Click();
        EXPECT_EQ(e->RichTextBox1->toPlainText(), greeting) << name;
    }
    env.dialogs.setNextFileName(env.path(QStringLiteral("ansi.txt")));
    e->mnuOpen_Click();
    EXPECT_EQ(e->RichTextBox1->toPlainText(), QStringLiteral("Caf\u00e9 \u20ac 5"));

    // A word processor's binary file is refused; the text stays.
    env.writeFile(QStringLiteral("letter.doc"),
                  QByteArray("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1\0\0\0\0>\0\3\0", 16));
    env.dialogs.setNextFileName(env.path(QStringLiteral("letter.doc")));
    e->mnuOpen_Click();
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("letter.doc is not a text or rich text file")));
    EXPECT_EQ(e->RichTextBox1->toPlainText(), QStringLiteral("Caf\u00e9 \u20ac 5"));

    // Save As: rich text keeps the formatting, a .txt name writes plain UTF-8.
    e->RichTextBox1->selectAll();
    e->setBold();
    env.dialogs.setNextFileName(env.path(QStringLiteral("saved.rtf")));
    e->mnuSaveAs_Click();
    env.dialogs.setNextFileName(env.path(QStringLiteral("saved.txt")));
    e->mnuSaveAs_Click();
    QFile txt(env.path(QStringLiteral("saved.txt")));
    ASSERT_TRUE(txt.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(txt.readAll()), QStringLiteral("Caf\u00e9 \u20ac 5"));
    QTextDocument back;
    EXPECT_EQ(editorfiles::load(env.path(QStringLiteral("saved.rtf")), back), QString());
    EXPECT_EQ(back.toPlainText(), QStringLiteral("Caf\u00e9 \u20ac 5"));
    QTextCursor c(&back);
    c.setPosition(2);
    EXPECT_GE(c.charFormat().fontWeight(), int(QFont::Bold));
    e->close();
}

TEST(NewsEditorCommands, ADroppedFileIsOpenedAfterTheQuestion)
{
    TestEnv env;
    env.writeFile(QStringLiteral("notice.txt"), QByteArray("Dropped news"));
    frmEditor* e = openEditor(env);
    ASSERT_TRUE(e);
    e->show();
    QTest::keyClicks(e->RichTextBox1, QStringLiteral("draft"));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(env.path(QStringLiteral("notice.txt")))});
    // As the window system delivers it: the drag enters first, then the drop.
    auto dropOn = [&mime](QWidget* target) {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
    };
    env.dialogs.setNextAnswer(Dialogs::Answer::Cancel);
    dropOn(e->RichTextBox1->viewport());
    EXPECT_EQ(e->RichTextBox1->toPlainText(), QStringLiteral("draft"));

    env.dialogs.setNextAnswer(Dialogs::Answer::No);
    dropOn(e->RichTextBox1->viewport());
    EXPECT_EQ(e->RichTextBox1->toPlainText(), QStringLiteral("Dropped news"));
    EXPECT_EQ(e->windowTitle(), QStringLiteral(" - notice.txt"));

    // On a toolbar too.
    env.writeFile(QStringLiteral("notice.txt"), QByteArray("From the toolbar"));
    dropOn(e->findChild<QWidget*>(QStringLiteral("formatToolbar")));
    EXPECT_EQ(e->RichTextBox1->toPlainText(), QStringLiteral("From the toolbar"));
    e->close();
}

TEST(NewsEditorCommands, PrintGoesThroughTheDialogWrapsAndBreaksPages)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    TestEnv env;
    frmEditor* e = openEditor(env);
    ASSERT_TRUE(e);
    QString text;
    for (int i = 1; i <= 120; ++i)
        text += QStringLiteral(
                    "Line %1 of a long notice that is wider than any page and has to wrap onto the next "
                    "line of the page instead of running off its right edge\n")
                    .arg(i);
    text += QStringLiteral("THE END");
    e->RichTextBox1->setPlainText(text);

    // Cancelled: nothing printed.
    e->mnuPrint_Click();
    EXPECT_FALSE(QFile::exists(env.path(QStringLiteral("all.pdf"))));

    env.dialogs.setNextPrint({env.path(QStringLiteral("all.pdf"))});
    e->mnuPrint_Click();
    EXPECT_FALSE(env.dialogs.selectionOffered);
    const QString all = pdfText(env.path(QStringLiteral("all.pdf")));
    EXPECT_TRUE(all.contains(QStringLiteral("THE END"))) << "nothing past the first page is lost";
    EXPECT_TRUE(all.contains(QStringLiteral("right edge")));
    EXPECT_GT(pdfPages(env.path(QStringLiteral("all.pdf"))), 2);

    // The selection, when the user picks it.
    QTextCursor c(e->RichTextBox1->document());
    c.movePosition(QTextCursor::End);
    c.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    e->RichTextBox1->setTextCursor(c);
    env.dialogs.setNextPrint({env.path(QStringLiteral("sel.pdf")), true});
    e->mnuPrint_Click();
    EXPECT_TRUE(env.dialogs.selectionOffered);
    const QString selection = pdfText(env.path(QStringLiteral("sel.pdf")));
    EXPECT_TRUE(selection.contains(QStringLiteral("THE END")));
    EXPECT_FALSE(selection.contains(QStringLiteral("Line 1 "))) << "only the selection";
    EXPECT_EQ(pdfPages(env.path(QStringLiteral("sel.pdf"))), 1);
    e->close();
}

TEST(NewsEditorCommands, TheRulersSliderIndentsAndItsGuideFollowsTheMouse)
{
    TestEnv env;
    frmEditor* e = openEditor(env);
    ASSERT_TRUE(e);
    e->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(e));
    e->RichTextBox1->setPlainText(QStringLiteral("one\ntwo"));
    QTextCursor second(e->RichTextBox1->document()->lastBlock());
    e->RichTextBox1->setTextCursor(second);
    EXPECT_EQ(e->ruler->indent(), 0);

    const QRect r = e->ruler->rect();
    const int start = e->RichTextBox1->mapTo(e, QPoint(0, 0)).x() - e->ruler->mapTo(e, QPoint(0, 0)).x() +
                      e->RichTextBox1->frameWidth() + int(e->RichTextBox1->document()->documentMargin());
    QTest::mousePress(e->ruler, Qt::LeftButton, {}, QPoint(start, r.height() - 4));
    QMouseEvent move(QEvent::MouseMove, QPointF(start + 40, r.height() - 4),
                     e->ruler->mapToGlobal(QPointF(start + 40, 4)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(e->ruler, &move);
    QTest::mouseRelease(e->ruler, Qt::LeftButton, {}, QPoint(start + 40, r.height() - 4));
    EXPECT_EQ(e->RichTextBox1->document()->lastBlock().blockFormat().leftMargin(), 40);
    EXPECT_EQ(e->RichTextBox1->document()->firstBlock().blockFormat().leftMargin(), 0);

    QTest::mouseMove(e->RichTextBox1->viewport(), QPoint(100, 10));
    QMouseEvent over(QEvent::MouseMove, QPointF(100, 10),
                     e->RichTextBox1->viewport()->mapToGlobal(QPointF(100, 10)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(e->RichTextBox1->viewport(), &over);
    EXPECT_EQ(e->ruler->guide(),
              e->ruler->mapFromGlobal(e->RichTextBox1->viewport()->mapToGlobal(QPoint(100, 10))).x());
    e->close();
}

// The main window gives Ctrl+N and Ctrl+D to commands of its own for the whole program; in the news
// editor, while it has the focus, the keys are the editor's New and Delete.
TEST(NewsEditorCommands, CtrlNAndCtrlDActInTheEditorThoughTheProgramHasTheSameKeys)
{
    TestEnv env;
    QWidget mainWindow;
    int programWide = 0;
    for (const char* keys : {"Ctrl+N", "Ctrl+D"}) {
        auto* a = new QAction(&mainWindow);
        a->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        a->setShortcutContext(Qt::ApplicationShortcut);
        QObject::connect(a, &QAction::triggered, [&programWide] { ++programWide; });
        mainWindow.addAction(a);
    }
    mainWindow.show();
    frmEditor* e = openEditor(env);
    ASSERT_TRUE(e);
    e->show();
    QApplication::setActiveWindow(e);
    e->RichTextBox1->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(e));
    QTest::keyClicks(e->RichTextBox1, QStringLiteral("Old words"));
    QTextCursor c = e->RichTextBox1->textCursor();
    c.movePosition(QTextCursor::StartOfWord, QTextCursor::KeepAnchor);
    e->RichTextBox1->setTextCursor(c);

    QTest::keyClick(e->RichTextBox1, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(e->RichTextBox1->toPlainText(), QStringLiteral("Old "));
    env.dialogs.setNextAnswer(Dialogs::Answer::No); // the changed text is not kept
    QTest::keyClick(e->RichTextBox1, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(e->RichTextBox1->toPlainText(), QString());
    EXPECT_EQ(e->windowTitle(), QStringLiteral("Untitled - "));
    EXPECT_EQ(programWide, 0);

    // Elsewhere the program's own commands keep their keys.
    QApplication::setActiveWindow(&mainWindow);
    mainWindow.setFocus();
    QTest::keyClick(&mainWindow, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(programWide, 1);
    e->close();
}
