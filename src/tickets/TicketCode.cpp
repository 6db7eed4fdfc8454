#include "tickets/TicketCode.h"

#include "core/Database.h"
#include "core/Settings.h"

#include <QRandomGenerator>

#include <array>

namespace ticketcode {

namespace {

constexpr char alphabet[] = "abcdefghijklmnopqrstuvwxyz234567";
constexpr int bitsPerChar = 5;

} // namespace

QString newCode()
{
    std::array<quint32, codeBits / 32> words{};
    QRandomGenerator::system()->fillRange(words.data(), qsizetype(words.size()));
    QString code;
    code.reserve(codeLength);
    // The 128 bits read five at a time, most significant first; the last character carries the
    // remaining three bits and two zero bits.
    quint64 buffer = 0;
    int buffered = 0;
    for (quint32 word : words) {
        buffer = (buffer << 32) | word;
        buffered += 32;
        while (buffered >= bitsPerChar) {
            buffered -= bitsPerChar;
            code.append(QLatin1Char(alphabet[(buffer >> buffered) & 0x1f]));
        }
        buffer &= (quint64(1) << buffered) - 1;
    }
    if (buffered > 0)
        code.append(QLatin1Char(alphabet[(buffer << (bitsPerChar - buffered)) & 0x1f]));
    return code;
}

bool isCodeForm(const QString& text)
{
    if (text.size() != codeLength)
        return false;
    for (const QChar c : text) {
        const bool letter = c >= QLatin1Char('a') && c <= QLatin1Char('z');
        const bool digit = c >= QLatin1Char('2') && c <= QLatin1Char('7');
        if (!letter && !digit)
            return false;
    }
    return true;
}

std::optional<WebTicket> ticketByCode(Database& db, const QString& code)
{
    if (!isCodeForm(code))
        return std::nullopt;
    const ResultSet rs = db.query(
        QStringLiteral("select t.tickAuto, t.servAuto, t.no_abr, s.servName, t.tickDate, t.tickTime, t.call, "
                       "t.status, t.estwait, c.callauto, c.displayName, t.lang "
                       "from tblTicket t left join tblService s on s.servAuto = t.servAuto "
                       "left join tblCall c on c.callauto = (select max(callauto) from tblCall "
                       "where tickAuto = t.tickAuto) "
                       "where t.webcode = ?"),
        {code});
    // A code is unique by its randomness; a row copied by hand under a second key is not shown.
    if (rs.size() != 1)
        return std::nullopt;
    WebTicket t;
    t.tickAuto = rs.number(0, 0);
    t.serviceId = rs.number(0, 1);
    t.label = rs.text(0, 2);
    t.serviceName = rs.text(0, 3);
    t.tickDate = rs.text(0, 4);
    t.tickTime = rs.text(0, 5);
    t.called = rs.text(0, 6) == QLatin1String("1");
    t.status = rs.text(0, 7);
    if (!rs.isNull(0, 8))
        t.estimateAtIssue = int(rs.number(0, 8));
    if (!rs.isNull(0, 9)) {
        t.callKey = rs.number(0, 9);
        t.counterDisplayName = rs.text(0, 10);
    }
    t.language = rs.text(0, 11);
    return t;
}

QString webAddress(const Settings& settings)
{
    const QString address =
        settings
            .get(QLatin1String(webAddressApp), QLatin1String(webAddressSection), QLatin1String(webAddressKey))
            .trimmed();
    // A bare host and port is taken as plain HTTP, so the printed code opens in a phone's browser.
    if (!address.isEmpty() && !address.contains(QStringLiteral("://")))
        return QStringLiteral("http://") + address;
    return address;
}

void setWebAddress(Settings& settings, const QString& address)
{
    settings.set(QLatin1String(webAddressApp), QLatin1String(webAddressSection), QLatin1String(webAddressKey),
                 address.trimmed());
}

QString pageAddress(const QString& base, const QString& code)
{
    QString root = base.trimmed();
    while (root.endsWith(QLatin1Char('/')))
        root.chop(1);
    if (root.isEmpty() || code.isEmpty())
        return {};
    return root + QStringLiteral("/t/") + code;
}

} // namespace ticketcode
