#pragma once

#include "display/CallBoardEngine.h"

#include <optional>

// A call as the server's notification carries it (the payload the trigger on tblCall builds when a
// call or a recall is committed), with the day it belongs to.
struct CallNotice
{
    CallRow call;
    QString day;
};

// The call of a notification's payload; empty when the payload carries none (the note after a
// reconnection, an older trigger that sends the key only, a call too long to announce): the board
// then reads.
std::optional<CallNotice> callOfNotice(const QString& payload);
