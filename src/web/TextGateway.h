#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class QNetworkAccessManager;
class Settings;

// How the hall sends a text message: through one command of its own (a GSM modem through mmcli, a
// provider's API through a small script) run with the number and the text as its two arguments, or by
// posting them as the form fields "number" and "text" to an HTTP address.
struct TextGatewayConfig
{
    QString command;       // a program, with fixed arguments of its own before the two; never run by a shell
    QUrl url;              // used when no command is set
    int timeoutMs = 30000; // one try
    int tries = 3;         // in all
    int firstPauseMs = 10000; // before the second try; each later pause is twice the one before

    bool configured() const { return !command.trimmed().isEmpty() || url.isValid(); }
    // The settings Queue / Sms / command, url, timeout (seconds), tries and pause (seconds).
    static TextGatewayConfig fromSettings(const Settings& settings);
};

// Sends texts without ever waiting for them: every try runs in the event loop's background, is cut
// off after its time-out and, when it failed, is tried again after a pause that grows. Each outcome
// is logged with the number masked, and told once with done().
class TextGateway : public QObject
{
    Q_OBJECT
public:
    using Log = std::function<void(const QString& line)>;

    explicit TextGateway(TextGatewayConfig config, QObject* parent = nullptr);
    ~TextGateway() override;

    const TextGatewayConfig& config() const { return m_config; }
    // Where the lines of what was sent and what failed go (by default the program's log).
    void setLog(Log log) { m_log = std::move(log); }
    void log(const QString& line) const;

    // Starts sending; done(key, …) follows once, after the last try.
    void send(qint64 key, const QString& number, const QString& text);
    // Texts still being tried.
    int sending() const { return m_sending; }

    // The number as a log may hold it: every digit but the last three replaced ("*******123").
    static QString masked(const QString& number);

Q_SIGNALS:
    void done(qint64 key, bool sent, const QString& reason);

private:
    struct Job;
    void failAtOnce(const std::shared_ptr<Job>& job, const QString& reason);
    void attempt(const std::shared_ptr<Job>& job);
    void runCommand(const std::shared_ptr<Job>& job);
    void post(const std::shared_ptr<Job>& job);
    void tried(const std::shared_ptr<Job>& job, bool ok, const QString& reason);

    TextGatewayConfig m_config;
    Log m_log;
    QNetworkAccessManager* m_network = nullptr;
    int m_sending = 0;
};
