#pragma once

#include <QString>

// Log-in passwords of tbluser and tblCounter are kept as Argon2id hashes (libsodium's crypto_pwhash_str:
// a random salt, the parameters and the hash in one text). A password still kept in clear, as older
// halls have them, is accepted once and then replaced by its hash.
namespace passwords {

// The hash to store for a password (an empty password is hashed too).
QString hash(const QString& password);
// True when the stored text is a hash made by hash(), not a password kept in clear.
bool isHash(const QString& stored);
// Whether the typed password is the one stored, as a hash or still in clear (an empty or missing
// stored value matches only an empty password).
bool matches(const QString& stored, const QString& typed);
// True when the stored value should be hashed again: kept in clear, or hashed with older parameters.
bool needsRehash(const QString& stored);

// The part of a stored hash before the hash itself: the algorithm, its parameters and the salt
// ("$argon2id$v=19$m=65536,t=2,p=1$SALT"); empty when the stored value is no hash.
QString settingOf(const QString& stored);
// The whole hash text the password gives with that setting (the text hash() would have stored with
// that salt and those parameters); empty when the setting is not one this program can compute.
QString hashWithSetting(const QString& setting, const QString& typed);

// Tests that make many log-ins may hash with the smallest parameters; the program never does.
void useCheapHashingForTests();

} // namespace passwords
