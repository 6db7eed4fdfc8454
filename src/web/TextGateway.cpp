#include "web/TextGateway.h"

#include "core/Settings.h"

#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QUrlQuery>

#include <algorithm>
#include <chrono>

namespace {

// What a gateway said about a failure, as much as a log line needs, without the number in it.
QString shortReason(QString text, const QString& number)
{
    text = text.simplified();
    if (!number.isEmpty())
        text.replace(number, TextGateway::masked(number));
    if (text.size() > 200)
        text = text.left(200) + QStringLiteral("…");
    return text;
}

} // namespace

TextGatewayConfig TextGatewayConfig::fromSettings(const Settings& settings)
{
    const QString app = QStringLiteral("Queue");
    const QString section = QStringLiteral("Sms");
    TextGatewayConfig c;
    c.command = settings.get(app, section, QStringLiteral("command")).trimmed();
    const QUrl url(settings.get(app, section, QStringLiteral("url")).trimmed(), QUrl::StrictMode);
    if (url.isValid() && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")))
        c.url = url;
    const auto number = [&](const char* key, qint64 fallback, qint64 least, qint64 most) {
        return int(
            std::clamp(settings.getNumber(app, section, QString::fromLatin1(key), fallback), least, most));
    };
    c.timeoutMs = number("timeout", 30, 1, 600) * 1000;
    c.tries = number("tries", 3, 1, 10);
    c.firstPauseMs = number("pause", 10, 0, 3600) * 1000;
    return c;
}

struct TextGateway::Job
{
    qint64 key = 0;
    QString number;
    QString text;
    int attempt = 0; // tries made
};

TextGateway::TextGateway(TextGatewayConfig config, QObject* parent)
    : QObject(parent), m_config(std::move(config))
{
    m_log = [](const QString& line) { qInfo().noquote() << line; };
}

TextGateway::~TextGateway() = default;

void TextGateway::log(const QString& line) const
{
    if (m_log)
        m_log(line);
}

QString TextGateway::masked(const QString& number)
{
    int digits = 0;
    for (const QChar c : number)
        digits += c.isDigit() ? 1 : 0;
    QString out;
    int seen = 0;
    for (const QChar c : number) {
        if (c.isDigit()) {
            ++seen;
            out += seen > digits - 3 ? c : QLatin1Char('*');
        } else if (c == QLatin1Char('+')) {
            out += c;
        } else {
            out += QLatin1Char('*'); // whatever else a number was typed with tells nothing either
        }
    }
    return out;
}

void TextGateway::send(qint64 key, const QString& number, const QString& text)
{
    auto job = std::make_shared<Job>();
    job->key = key;
    job->number = number;
    job->text = text;
    ++m_sending;
    // Only digits, with a plus in front for another country: nothing a gateway could take for an
    // option or a list of its own.
    static const QRegularExpression phoneNumber(QStringLiteral("^\\+?[0-9]{3,20}$"));
    if (!phoneNumber.match(number).hasMatch()) {
        failAtOnce(job, tr("not a phone number"));
        return;
    }
    if (!m_config.configured()) {
        failAtOnce(job, tr("no way of sending texts is set (Queue / Sms / command or url)"));
        return;
    }
    attempt(job);
}

void TextGateway::failAtOnce(const std::shared_ptr<Job>& job, const QString& reason)
{
    // Told on the event loop, as every outcome is: the caller has finished its own step first.
    QTimer::singleShot(0, this, [this, job, reason] {
        job->attempt = m_config.tries;
        tried(job, false, reason);
    });
}

void TextGateway::attempt(const std::shared_ptr<Job>& job)
{
    ++job->attempt;
    if (!m_config.command.trimmed().isEmpty())
        runCommand(job);
    else
        post(job);
}

void TextGateway::runCommand(const std::shared_ptr<Job>& job)
{
    QStringList words = QProcess::splitCommand(m_config.command);
    const QString program = words.takeFirst();
    words << job->number << job->text;
    auto* process = new QProcess(this);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    // What it says about a failure, read as it comes so that a talkative command never fills the pipe.
    auto errors = std::make_shared<QByteArray>();
    connect(process, &QProcess::readyReadStandardError, this, [process, errors] {
        *errors += process->readAllStandardError();
        if (errors->size() > 4096)
            *errors = errors->right(4096);
    });
    auto* timer = new QTimer(process);
    timer->setSingleShot(true);
    auto finishedOnce = std::make_shared<bool>(false);
    const auto finish = [this, job, process, finishedOnce](bool ok, const QString& reason) {
        if (*finishedOnce)
            return;
        *finishedOnce = true;
        process->disconnect(this);
        process->deleteLater();
        tried(job, ok, reason);
    };
    connect(timer, &QTimer::timeout, this, [process, finish, this] {
        process->kill();
        finish(false, tr("no answer within %1 s").arg(m_config.timeoutMs / 1000.0));
    });
    connect(process, &QProcess::errorOccurred, this, [process, finish, job](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            finish(false, shortReason(process->errorString(), job->number));
    });
    connect(process, &QProcess::finished, this,
            [process, finish, job, errors](int code, QProcess::ExitStatus status) {
                if (status == QProcess::NormalExit && code == 0) {
                    finish(true, QString());
                    return;
                }
                *errors += process->readAllStandardError();
                const QString said = shortReason(QString::fromLocal8Bit(*errors), job->number);
                const QString how = status == QProcess::NormalExit
                                        ? tr("the command ended with code %1").arg(code)
                                        : tr("the command stopped abnormally");
                finish(false, said.isEmpty() ? how : how + QStringLiteral(": ") + said);
            });
    timer->start(m_config.timeoutMs);
    process->start(program, words);
}

void TextGateway::post(const std::shared_ptr<Job>& job)
{
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(m_config.url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("application/x-www-form-urlencoded"));
    request.setTransferTimeout(m_config.timeoutMs);
    QUrlQuery form;
    form.addQueryItem(QStringLiteral("number"), QString::fromLatin1(QUrl::toPercentEncoding(job->number)));
    form.addQueryItem(QStringLiteral("text"), QString::fromLatin1(QUrl::toPercentEncoding(job->text)));
    QNetworkReply* reply = m_network->post(request, form.query(QUrl::FullyEncoded).toUtf8());
    connect(reply, &QNetworkReply::finished, this, [this, reply, job] {
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() == QNetworkReply::NoError && status >= 200 && status < 300) {
            tried(job, true, QString());
            return;
        }
        // The address may carry the provider's key: the log names it without.
        QString said = reply->errorString();
        said.replace(m_config.url.toString(),
                     m_config.url.toString(QUrl::RemoveUserInfo | QUrl::RemoveQuery));
        const QString reason =
            status != 0 ? tr("the gateway answered %1").arg(status) : shortReason(said, job->number);
        tried(job, false, reason);
    });
}

void TextGateway::tried(const std::shared_ptr<Job>& job, bool ok, const QString& reason)
{
    const QString to = masked(job->number);
    if (ok) {
        log(tr("text to %1 sent (try %2)").arg(to, QString::number(job->attempt)));
    } else if (job->attempt < m_config.tries) {
        // Twice as long after each failure, never more than an hour.
        const qint64 pause =
            qMin<qint64>(qint64(m_config.firstPauseMs) << qMin(job->attempt - 1, 20), 3600 * 1000);
        log(tr("text to %1 not sent (try %2 of %3): %4; again in %5 s")
                .arg(to, QString::number(job->attempt), QString::number(m_config.tries), reason,
                     QString::number(pause / 1000.0)));
        QTimer::singleShot(std::chrono::milliseconds(pause), this, [this, job] { attempt(job); });
        return;
    } else {
        log(tr("text to %1 failed: %2").arg(to, reason));
    }
    --m_sending;
    Q_EMIT done(job->key, ok, reason);
}
