#include "ui/ModalLoop.h"
#include "testsupport/Fakes.h"
#include "ui/Dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs `step` once the event loop of the box that is open by then is running.
void whileOpen(int ms, std::function<void()> step)
{
    QTimer::singleShot(ms, qApp, std::move(step));
}

// No box of a failing test stays open: whatever is modal after `ms` is closed.
struct Safety
{
    QTimer timer;
    explicit Safety(int ms = 5000)
    {
        timer.setInterval(ms);
        QObject::connect(&timer, &QTimer::timeout, [] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                modal->reject();
        });
        timer.start();
    }
};

QWidget* windowClosedForGood()
{
    auto* window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

void deleteWhatWasLeft()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

// A window closed for good while its own message box is open (a reconnection replacing it, the
// program ending) is deleted only after the box has returned, and the box then answers as cancelled.
// Without that, the window deletes the box under its own running loop and the function that opened
// the box goes on in freed memory.
TEST(ModalLoop, AWindowClosedUnderItsOwnMessageLivesUntilTheMessageHasReturned)
{
    QtDialogs dialogs;
    Safety safety;
    QPointer<QWidget> window = windowClosedForGood();
    QString titleShown;
    whileOpen(50, [&] {
        if (QWidget* box = QApplication::activeModalWidget())
            titleShown = box->windowTitle();
        window->close();
    });
    const Dialogs::Answer answer =
        dialogs.message(QStringLiteral("Delete the selected counter?"), Dialogs::Buttons::YesNo,
                        Dialogs::Icon::Question, {}, window);
    EXPECT_EQ(answer, Dialogs::Answer::No) << "a question whose window went away is not a Yes";
    EXPECT_EQ(titleShown, Dialogs::programTitle()) << "a box without a title of its own has the program's";
    ASSERT_FALSE(window.isNull()) << "the code after the box still runs in its window";
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(ModalLoop::running(), 0);
    deleteWhatWasLeft();
    EXPECT_TRUE(window.isNull()) << "deleted once the box has returned";
}

// Boxes over boxes: a window whose input box is open under another window's message is closed, and
// so is an unrelated window. Every window is kept until the outermost box has returned; the input
// box of the closed window answers nothing, the other box answers what was pressed.
TEST(ModalLoop, WindowsClosedDuringNestedBoxesAreDeletedAfterTheOutermostReturns)
{
    QtDialogs dialogs;
    Safety safety;
    QPointer<QWidget> outer = windowClosedForGood();
    QPointer<QWidget> inner = windowClosedForGood();
    QPointer<QWidget> bystander = windowClosedForGood();
    std::optional<QString> typed = QStringLiteral("not asked");
    bool innerAliveAfterItsBox = false;
    int runningInside = 0;
    whileOpen(50, [&] {
        // Over the outer window's message, the inner window asks for a text...
        whileOpen(50, [&] {
            runningInside = ModalLoop::running();
            inner->close();
            bystander->close();
        });
        typed =
            dialogs.inputBox(QStringLiteral("Name of the copy"), QStringLiteral("Copy"), QString(), inner);
        innerAliveAfterItsBox = !inner.isNull();
        // ...and the outer message is then answered with Ok.
        QTimer::singleShot(0, qApp, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Ok)->click();
        });
    });
    const Dialogs::Answer answer = dialogs.message(
        QStringLiteral("Copy the theme?"), Dialogs::Buttons::OkCancel, Dialogs::Icon::Question, {}, outer);
    EXPECT_EQ(runningInside, 2);
    EXPECT_EQ(typed, std::nullopt) << "the input box of a window closed for good gives nothing";
    EXPECT_TRUE(innerAliveAfterItsBox) << "kept while the outer box still runs";
    EXPECT_EQ(answer, Dialogs::Answer::Ok) << "the outer window was not closed: its box answers as pressed";
    ASSERT_FALSE(inner.isNull());
    ASSERT_FALSE(bystander.isNull());
    deleteWhatWasLeft();
    EXPECT_TRUE(inner.isNull());
    EXPECT_TRUE(bystander.isNull());
    ASSERT_FALSE(outer.isNull());
    delete outer.data();
}

// Every box has a title: a blank one (empty, or a single space) becomes the program's name; a title
// of its own is kept.
TEST(ModalLoop, EveryBoxHasATitle)
{
    ScriptedDialogs dialogs;
    dialogs.message(QStringLiteral("The restore was refused"), Dialogs::Buttons::Ok, Dialogs::Icon::Warning,
                    QStringLiteral(" "));
    dialogs.message(QStringLiteral("Limit"));
    dialogs.message(QStringLiteral("Restore Complete!"), Dialogs::Buttons::Ok, Dialogs::Icon::Information,
                    QStringLiteral("RESTORE SUCCESSFUL"));
    dialogs.inputBox(QStringLiteral("Type 'Yes' to Restore "), QStringLiteral("  "));
    ASSERT_EQ(dialogs.shown().size(), 4);
    EXPECT_EQ(dialogs.shown().at(0).title, Dialogs::programTitle());
    EXPECT_EQ(dialogs.shown().at(1).title, Dialogs::programTitle());
    EXPECT_EQ(dialogs.shown().at(2).title, QStringLiteral("RESTORE SUCCESSFUL"));
    EXPECT_EQ(dialogs.shown().at(3).title, Dialogs::programTitle());
}
