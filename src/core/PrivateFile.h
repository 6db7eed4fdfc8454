#pragma once

#include <QByteArray>
#include <QString>

// Files that hold secrets (remembered passwords, the database log-in): readable and writable by the
// owner only.
namespace privatefile {

// Creates the file (and its folder) with mode 0600 when it does not exist yet, and takes a looser
// mode of an existing one back to 0600. False when the file could not be made or tightened.
bool keepPrivate(const QString& file);

// Replaces the file's content in one step; the file is 0600 before anything is written into it.
bool write(const QString& file, const QByteArray& content, QString* error = nullptr);

// Creates a new, empty database file that only its owner may read, or also the group brivane when it
// lies in an installed program's shared data folder (whose group is brivane). False when it could not
// be made; an existing file is left as it is.
bool createDatabaseFile(const QString& file);

// Gives `file` the mode and group of `model` (and its owner, where the system allows), so a file put
// in another's place serves the same users. Without a model the file becomes owner-only.
void takeOwnerAndMode(const QString& file, const QString& model);

} // namespace privatefile
