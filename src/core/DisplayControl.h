#pragma once

// What the main window asks of a running display board beyond opening and closing it.
class DisplayControl
{
public:
    virtual ~DisplayControl() = default;
    // Loads the news messages, starts the ticker and shows the news band.
    virtual void startNews() = 0;
    // Stops the ticker, hides the news band and removes the ticker's messages.
    virtual void stopNews() = 0;
};
