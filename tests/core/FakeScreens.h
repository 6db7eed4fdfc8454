#pragma once

#include "core/DisplayControl.h"
#include "testsupport/TestEnv.h"

#include <QWidget>

// Stand-ins for screens of other subsystems, so the start-up and main-window rules can be tested alone.
struct FakeBoard : QWidget, DisplayControl
{
    static inline int opened = 0;
    static inline int newsStarts = 0;
    static inline int newsStops = 0;
    FakeBoard() { ++opened; }
    void startNews() override { ++newsStarts; }
    void stopNews() override { ++newsStops; }
    static void reset() { opened = newsStarts = newsStops = 0; }
};

inline void registerFakeScreens(TestEnv& env)
{
    FakeBoard::reset();
    env.screens.add(QStringLiteral("frmDisplay"), [](AppContext&) { return new FakeBoard; });
    // The call desk and the transfer-only counter picker, under their form names.
    for (const char* name : {"frmCallAdmin", "frmSelService"}) {
        env.screens.add(QString::fromLatin1(name), [name](AppContext&) {
            auto* w = new QWidget;
            w->setObjectName(QString::fromLatin1(name));
            return w;
        });
    }
    env.screens.add(QStringLiteral("frmCall"), [](AppContext&) {
        auto* w = new QWidget;
        w->setObjectName(QStringLiteral("frmCall"));
        return w;
    });
}
