#pragma once

#include "display/CallBoardEngine.h"
#include "display/CallWakeup.h"

#include "testsupport/TestEnv.h"

#include <QTimer>
#include <memory>

struct RecordingSink : ShownCallSink
{
    void callShown(const CallRow& call) override { labels.append(call.label); }
    QStringList labels;
};

// A board of its own: table, engine and the labels it showed, in order.
struct BoardUnderTest
{
    BoardUnderTest(Database& db, TestEnv& env, CallBoardEngine::Mode mode, int dataRows = 4)
    {
        table.reset(dataRows + 1, 4);
        engine = std::make_unique<CallBoardEngine>(db, env.session, env.clock, table, mode);
        engine->setShownCallSink(&sink);
        engine->setShownHandler([this](const CallRow& c) {
            shown.append(c.label);
            calls.append(c);
        });
    }
    QStringList tokens() const
    {
        QStringList t;
        for (int r = 1; r < table.rows(); ++r)
            t.append(table.text(r, 1).trimmed());
        return t;
    }
    BoardTable table;
    RecordingSink sink;
    QStringList shown;
    QVector<CallRow> calls;
    std::unique_ptr<CallBoardEngine> engine;
};

// A board wired as the window wires it: woken by the server only (the safety read is stopped), and
// showing what a notification carries.
struct WokenBoard : BoardUnderTest
{
    WokenBoard(Database& db, TestEnv& env, CallBoardEngine::Mode mode)
        : BoardUnderTest(db, env, mode), wakeup(db, env.clock)
    {
        wakeup.serve(*engine);
    }
    void start()
    {
        EXPECT_TRUE(engine->addFirst());
        wakeup.start();
        wakeup.timer()->stop();
    }
    CallWakeup wakeup;
};
