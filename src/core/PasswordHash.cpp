#include "core/PasswordHash.h"

#include <QByteArray>
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

void useCheapHashingForTests()
{
    cheap = true;
}

} // namespace passwords
