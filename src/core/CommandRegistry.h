#pragma once

#include "core/WorkstationRights.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

struct AppContext;

// The commands of brivane-ctl, each added by the subsystem it belongs to.
// A command returns 0 on success, 1 when the system refused (its message on err), 2 on a usage error.
class CommandRegistry
{
public:
    using Run =
        std::function<int(AppContext& ctx, const QStringList& args, QTextStream& out, QTextStream& err)>;

    struct Command
    {
        QString name;
        QString usage;
        Run run;
        bool needsDatabase = true; // false: brivane-ctl runs it without opening the database first
        // What the workstation's login must be allowed for brivane-ctl to run it.
        WorkstationRights::Act needs = WorkstationRights::Act::Manage;
    };

    // A command of the office (or, with needsDatabase false, one that needs no hall).
    void add(const QString& name, const QString& usage, Run run, bool needsDatabase = true)
    {
        m_commands.append({name, usage, std::move(run), needsDatabase});
    }
    // A command a workstation of another kind runs too: the act it needs.
    void add(const QString& name, const QString& usage, WorkstationRights::Act needs, Run run)
    {
        m_commands.append({name, usage, std::move(run), true, needs});
    }
    const Command* find(const QString& name) const
    {
        for (const Command& c : m_commands) {
            if (c.name == name)
                return &c;
        }
        return nullptr;
    }
    const QList<Command>& all() const { return m_commands; }

private:
    QList<Command> m_commands;
};

// Runs the command as brivane-ctl does, on a hall already opened when it needs one: a workstation whose
// login may not do what the command needs is told what it may do and nothing is sent; a store's
// refusal is told on err. Returns the command's exit code.
int runCommand(const CommandRegistry::Command& command, AppContext& ctx, const QStringList& args,
               QTextStream& out, QTextStream& err);

// Reads "--name value" from args; removes both from args. Empty when absent.
QString takeOption(QStringList& args, const QString& name);
bool takeFlag(QStringList& args, const QString& name);
// A day as the commands take it: yyyy-MM-dd, four digits of year, a day the calendar has. Anything
// else (a signed or five-digit year, the 31st of April) gives an invalid date.
QDate dayArgument(const QString& text);
