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

} // namespace privatefile
