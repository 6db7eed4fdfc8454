#pragma once

#include "ui/Dialogs.h"
#include "ui/HotKeys.h"
#include "ui/PrintSurface.h"
#include "ui/ProgramLauncher.h"
#include "ui/SoundPlayer.h"
#include "ui/VideoPlayer.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QQueue>
#include <QStringList>
#include <QWidget>
#include <functional>

// Answers every dialog from what the test queued, and keeps a log of every message shown.
// Nothing modal is ever opened.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString text;
        QString title;
        Buttons buttons;
        Icon icon;
    };

    // The next question gets this answer; without one, Yes/No questions get Yes, others Ok.
    void setNextAnswer(Answer a) { m_answers.enqueue(a); }
    void setNextInput(std::optional<QString> text) { m_inputs.enqueue(std::move(text)); }
    void setNextFileName(const QString& name) { m_files.enqueue(name); }
    void setNextColor(std::optional<QColor> c) { m_colors.enqueue(std::move(c)); }
    void setNextFont(std::optional<QFont> f) { m_fonts.enqueue(std::move(f)); }
    void setNextPrinter(std::optional<QString> p) { m_printers.enqueue(std::move(p)); }
    // The next print dialog prints into this PDF file (the selection only when asked and offered);
    // without one it is cancelled.
    struct PrintChoice
    {
        QString pdfFile;
        bool selection = false;
        int fromPage = 0, toPage = 0;
    };
    void setNextPrint(const PrintChoice& choice) { m_prints.enqueue(choice); }
    // The next message stays open as a real modal dialog over its window, so the event loop runs
    // (timers, the connection screen's look for the server) until `closeWhen` holds or `ms` have
    // passed; then it is answered as scripted.
    void holdNextMessageOpen(std::function<bool()> closeWhen, int ms = 30000)
    {
        m_hold = closeWhen;
        m_holdMs = ms;
    }
    int endedByTheirWindow = 0;    // held messages ended because their window was closed for good
    bool selectionOffered = false; // by the last print dialog

    const QList<Shown>& shown() const { return m_shown; }
    QStringList suggestedFiles; // the name each save dialog offered
    QStringList texts() const;
    QString last() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }
    void clear() { m_shown.clear(); }

protected:
    Answer showMessage(const QString& text, Buttons buttons, Icon icon, const QString& title,
                       QWidget* parent) override;
    std::optional<QString> showInputBox(const QString& prompt, const QString& title,
                                        const QString& defaultText, QWidget* parent) override;
    QString chooseOpenFile(const QString& title, const QString& filter, const QString& dir,
                           QWidget* parent) override;
    QString chooseSaveFile(const QString& title, const QString& filter, const QString& dir,
                           QWidget* parent) override;
    QString chooseFolder(const QString& title, const QString& dir, QWidget* parent) override;
    std::optional<QColor> chooseColor(const QColor& initial, QWidget* parent) override;
    std::optional<QFont> chooseFont(const QFont& initial, QWidget* parent) override;
    std::optional<QString> choosePrinter(QWidget* parent) override;
    bool runPrintSetup(QPrinter& printer, bool offerSelection, QWidget* parent) override;

private:
    std::function<bool()> m_hold;
    int m_holdMs = 0;
    QList<Shown> m_shown;
    QQueue<Answer> m_answers;
    QQueue<std::optional<QString>> m_inputs;
    QQueue<QString> m_files;
    QQueue<std::optional<QColor>> m_colors;
    QQueue<std::optional<QFont>> m_fonts;
    QQueue<std::optional<QString>> m_printers;
    QQueue<PrintChoice> m_prints;
};

class RecordingLauncher : public ProgramLauncher
{
public:
    bool startDetached(const QString& program, const QStringList& arguments = {}) override
    {
        started.append(program);
        Q_UNUSED(arguments);
        return true;
    }
    bool openDocument(const QString& file) override
    {
        opened.append(file);
        return canOpen;
    }
    QStringList started;
    QStringList opened;  // documents, in order
    bool canOpen = true; // whether the "desktop" has a program for them
};

class RecordingSoundPlayer : public SoundPlayer
{
public:
    void playToEnd(const QString& file) override { played.append(file); }
    QStringList played;
};

// Keys are triggered by the test with press().
class FakeHotKeys : public HotKeys
{
public:
    bool grab(int key, std::function<void()> handler, QWidget*) override
    {
        if (held.contains(key))
            return false;
        handlers[key] = std::move(handler);
        return true;
    }
    void releaseAll() override { handlers.clear(); }
    bool press(int key)
    {
        auto it = handlers.find(key);
        if (it == handlers.end())
            return false;
        it.value()();
        return true;
    }
    QMap<int, std::function<void()>> handlers;
    QList<int> held; // keys "another program" holds
};

// A printer that records every call made on its pages.
class RecordingPrinters : public Printers
{
public:
    struct Call
    {
        QString what; // "font", "text", "picture", "rect", "end"
        double x = 0;
        double y = 0;
        QString text;
        QString font;
        double size = 0;
        bool bold = false;
        QRectF rect;
        QImage picture; // what "picture" drew
    };
    QStringList names() override { return printerNames; }
    std::unique_ptr<PrintSurface> open(const QString& deviceName) override;

    QStringList printerNames{QStringLiteral("Test Printer")};
    QStringList opened;   // device names, one per document
    QList<Call> calls;    // of all documents, in order
    int documents = 0;    // documents ended
    bool failing = false; // every printer fails to open, as one that is switched off or gone
};

// A video player that plays whatever it is given until the test ends or fails the file. Files whose
// name is in `refused` cannot be started at all.
class ScriptedVideoPlayer : public VideoPlayer
{
public:
    ScriptedVideoPlayer(QWidget* parent, const QStringList& cameras, const QStringList& refused)
        : m_widget(new QWidget(parent)), m_cameras(cameras), m_refused(refused)
    {
    }
    ~ScriptedVideoPlayer() override { delete m_widget; }
    QWidget* widget() override { return m_widget; }
    bool play(const QString& file, int volume) override;
    void stop() override
    {
        playing.clear();
        camera = -1;
    }
    bool showCamera(int device) override;

    // The file now playing reaches its end / turns out broken.
    void end() { Q_EMIT ended(); }
    void fail() { Q_EMIT failed(); }

    QStringList started; // every file handed to play(), refused ones included
    QList<int> volumes;
    QString playing;
    int camera = -1;
    QString cameraName;

private:
    QPointer<QWidget> m_widget;
    QStringList m_cameras;
    QStringList m_refused;
};

class FakeMediaPlayers : public MediaPlayers
{
public:
    std::unique_ptr<VideoPlayer> createVideo(QWidget* parent) override;
    QStringList cameraNames() const override { return cameras; }
    std::unique_ptr<Chime> loadChime(const QString& file, int volume) override
    {
        chimes.append({file, volume});
        return std::make_unique<Chime>();
    }

    QStringList cameras;                 // the live inputs this machine has
    QStringList refused;                 // file names no player can start
    ScriptedVideoPlayer* last = nullptr; // the player made last
    QList<QPair<QString, int>> chimes;
};
