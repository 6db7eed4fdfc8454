#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Which programs on this computer have a file open (Linux: the open files each process lists; only
// processes this user may look into are seen). Another computer's hold on a shared file is not seen.
namespace fileholders {

struct Holder
{
    qint64 pid = 0;
    QString program; // the process's name, as the system shows it
    bool thisProgram = false;
};

// The processes holding any of these files open, each once, this program first.
QList<Holder> holding(const QStringList& files);

// "other windows of this program; brivane-web (process 2345)", for a message.
QString describe(const QList<Holder>& holders);

} // namespace fileholders
