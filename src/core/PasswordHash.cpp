#include "core/PasswordHash.h"

#include <QByteArray>
#include <QRegularExpression>
#include <atomic>
#include <sodium.h>
#include <stdexcept>

namespace passwords {

namespace {

std::atomic<bool> cheap{false};

// Argon2id with libsodium's interactive limits: 2 passes over 64 MiB, about a tenth of a second.
unsigned long long opsLimit()
{
    return cheap ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE;
}

size_t memLimit()
{
    return cheap ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE;
}

void ensureReady()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw std::runtime_error("libsodium cannot be initialised");
}

} // namespace

QString hash(const QString& password)
{
    ensureReady();
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()), opsLimit(),
                              memLimit(), crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw std::runtime_error("out of memory while hashing a password");
    return QString::fromLatin1(out);
}

bool isHash(const QString& stored)
{
    return stored.startsWith(QLatin1String("$argon2id$")) || stored.startsWith(QLatin1String("$argon2i$"));
}

bool matches(const QString& stored, const QString& typed)
{
    if (!isHash(stored)) {
        // A password kept in clear by an older version: compared in full, whatever matches first.
        const QByteArray a = stored.toUtf8();
        const QByteArray b = typed.toUtf8();
        return a.size() == b.size() &&
               (a.isEmpty() || sodium_memcmp(a.constData(), b.constData(), size_t(a.size())) == 0);
    }
    ensureReady();
    const QByteArray h = stored.toLatin1();
    const QByteArray utf8 = typed.toUtf8();
    return crypto_pwhash_str_verify(h.constData(), utf8.constData(),
                                    static_cast<unsigned long long>(utf8.size())) == 0;
}

bool needsRehash(const QString& stored)
{
    if (!isHash(stored))
        return true;
    ensureReady();
    const QByteArray h = stored.toLatin1();
    return crypto_pwhash_str_needs_rehash(h.constData(), opsLimit(), memLimit()) != 0;
}

namespace {

const QRegularExpression& settingPattern()
{
    static const QRegularExpression pattern(QStringLiteral(
        "^\\$(argon2id|argon2i)\\$v=19\\$m=([0-9]{1,9}),t=([0-9]{1,9}),p=1\\$([A-Za-z0-9+/]+)"));
    return pattern;
}

} // namespace

QString settingOf(const QString& stored)
{
    const QRegularExpressionMatch m = settingPattern().match(stored);
    if (!m.hasMatch() || stored.mid(m.capturedLength(0), 1) != QLatin1String("$"))
        return QString();
    return m.captured(0);
}

QString hashWithSetting(const QString& setting, const QString& typed)
{
    const QRegularExpressionMatch m = settingPattern().match(setting);
    if (!m.hasMatch() || m.capturedLength(0) != setting.size())
        return QString();
    const QByteArray salt = QByteArray::fromBase64(m.captured(4).toLatin1());
    const qulonglong memKiB = m.captured(2).toULongLong();
    const qulonglong ops = m.captured(3).toULongLong();
    // What libsodium itself would accept when it verifies the hash: anything else is no hash of ours.
    if (salt.size() != crypto_pwhash_SALTBYTES || memKiB * 1024 < crypto_pwhash_MEMLIMIT_MIN ||
        memKiB * 1024 > crypto_pwhash_MEMLIMIT_MAX || ops < crypto_pwhash_OPSLIMIT_MIN ||
        ops > crypto_pwhash_OPSLIMIT_MAX)
        return QString();
    ensureReady();
    const bool id = m.captured(1) == QLatin1String("argon2id");
    const QByteArray utf8 = typed.toUtf8();
    unsigned char out[32];
    if (crypto_pwhash(out, sizeof out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                      reinterpret_cast<const unsigned char*>(salt.constData()), ops, size_t(memKiB * 1024),
                      id ? crypto_pwhash_ALG_ARGON2ID13 : crypto_pwhash_ALG_ARGON2I13) != 0)
        throw std::runtime_error("out of memory while hashing a password");
    const QByteArray encoded =
        QByteArray(reinterpret_cast<const char*>(out), sizeof out).toBase64(QByteArray::OmitTrailingEquals);
    return setting + QLatin1Char('$') + QString::fromLatin1(encoded);
}

void useCheapHashingForTests()
{
    cheap = true;
}

} // namespace passwords
