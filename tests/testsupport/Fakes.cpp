#include "testsupport/Fakes.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QTimer>

Dialogs::Answer ScriptedDialogs::showMessage(const QString& text, Buttons buttons, Icon icon,
                                             const QString& title, QWidget* parent)
{
    m_shown.append({text, title, buttons, icon});
    if (m_hold) {
        const std::function<bool()> closeWhen = std::exchange(m_hold, {});
        QDialog box(parent);
        box.setObjectName(QStringLiteral("heldMessage"));
        box.setWindowTitle(title);
        QElapsedTimer open;
        open.start();
        QTimer look;
        look.setInterval(20);
        QObject::connect(&look, &QTimer::timeout, &box, [&] {
            if (closeWhen() || open.elapsed() > m_holdMs)
                box.accept();
        });
        look.start();
        if (box.exec() == QDialog::Rejected)
            ++endedByTheirWindow;
    }
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Answer::Yes;
    }
    return Answer::Ok;
}

std::optional<QString> ScriptedDialogs::showInputBox(const QString& prompt, const QString& title,
                                                     const QString& defaultText, QWidget*)
{
    m_shown.append({prompt, title, Buttons::OkCancel, Icon::None});
    if (!m_inputs.isEmpty())
        return m_inputs.dequeue();
    return defaultText;
}

QString ScriptedDialogs::chooseOpenFile(const QString&, const QString&, const QString&, QWidget*)
{
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

QString ScriptedDialogs::chooseSaveFile(const QString&, const QString&, const QString& dir, QWidget*)
{
    suggestedFiles.append(dir);
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

QString ScriptedDialogs::chooseFolder(const QString&, const QString&, QWidget*)
{
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

std::optional<QColor> ScriptedDialogs::chooseColor(const QColor&, QWidget*)
{
    return m_colors.isEmpty() ? std::nullopt : m_colors.dequeue();
}

std::optional<QFont> ScriptedDialogs::chooseFont(const QFont&, QWidget*)
{
    return m_fonts.isEmpty() ? std::nullopt : m_fonts.dequeue();
}

bool ScriptedDialogs::runPrintSetup(QPrinter& printer, bool offerSelection, QWidget*)
{
    selectionOffered = offerSelection;
    if (m_prints.isEmpty())
        return false;
    const PrintChoice choice = m_prints.dequeue();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(choice.pdfFile);
    if (choice.selection && offerSelection)
        printer.setPrintRange(QPrinter::Selection);
    if (choice.fromPage > 0) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(choice.fromPage, choice.toPage);
    }
    return true;
}

std::optional<QString> ScriptedDialogs::choosePrinter(QWidget*)
{
    return m_printers.isEmpty() ? std::nullopt : m_printers.dequeue();
}

QStringList ScriptedDialogs::texts() const
{
    QStringList all;
    for (const Shown& s : m_shown)
        all.append(s.text);
    return all;
}

namespace {

class RecordingSurface : public PrintSurface
{
public:
    explicit RecordingSurface(RecordingPrinters& owner) : m_owner(owner) {}
    void setFont(const QString& family, double points, bool bold) override
    {
        m_font = family;
        m_size = points;
        m_bold = bold;
        RecordingPrinters::Call c;
        c.what = QStringLiteral("font");
        c.font = family;
        c.size = points;
        c.bold = bold;
        m_owner.calls.append(c);
    }
    // Text width as Liberation Sans would give it roughly: 0.55 em per character.
    double textWidth(const QString& text) override { return text.size() * m_size * 20.0 * 0.55; }
    double textHeight(const QString&) override { return m_size * 20.0 * 1.15; }
    void printText(double x, double y, const QString& text) override
    {
        RecordingPrinters::Call c;
        c.what = QStringLiteral("text");
        c.x = x;
        c.y = y;
        c.text = text;
        c.font = m_font;
        c.size = m_size;
        c.bold = m_bold;
        m_owner.calls.append(c);
    }
    void drawPicture(const QImage& picture, const QRectF& rect) override
    {
        RecordingPrinters::Call c;
        c.what = QStringLiteral("picture");
        c.picture = picture;
        c.rect = rect;
        m_owner.calls.append(c);
    }
    void fillRect(const QRectF& rect) override
    {
        RecordingPrinters::Call c;
        c.what = QStringLiteral("rect");
        c.rect = rect;
        m_owner.calls.append(c);
    }
    bool endDoc() override
    {
        RecordingPrinters::Call c;
        c.what = QStringLiteral("end");
        m_owner.calls.append(c);
        ++m_owner.documents;
        return true;
    }

private:
    RecordingPrinters& m_owner;
    QString m_font;
    double m_size = 10;
    bool m_bold = false;
};

} // namespace

std::unique_ptr<PrintSurface> RecordingPrinters::open(const QString& deviceName)
{
    opened.append(deviceName);
    if (failing)
        return nullptr;
    return std::make_unique<RecordingSurface>(*this);
}

bool ScriptedVideoPlayer::play(const QString& file, int volume)
{
    started.append(file);
    volumes.append(volume);
    camera = -1;
    if (m_refused.contains(QFileInfo(file).fileName())) {
        playing.clear();
        return false;
    }
    playing = file;
    return true;
}

bool ScriptedVideoPlayer::showCamera(int device)
{
    playing.clear();
    if (device < 0 || device >= m_cameras.size())
        return false;
    camera = device;
    cameraName = m_cameras.at(device);
    return true;
}

std::unique_ptr<VideoPlayer> FakeMediaPlayers::createVideo(QWidget* parent)
{
    auto player = std::make_unique<ScriptedVideoPlayer>(parent, cameras, refused);
    last = player.get();
    return player;
}
