#pragma once

#include <QString>
#include <QStringList>

// Starts a separate program and does not wait for it.
class ProgramLauncher
{
public:
    virtual ~ProgramLauncher() = default;
    virtual bool startDetached(const QString& program, const QStringList& arguments = {}) = 0;
    // Opens a document with the desktop's program for its kind; false when there is none.
    virtual bool openDocument(const QString& file) = 0;
};

class SystemProgramLauncher : public ProgramLauncher
{
public:
    bool startDetached(const QString& program, const QStringList& arguments = {}) override;
    bool openDocument(const QString& file) override;
};
