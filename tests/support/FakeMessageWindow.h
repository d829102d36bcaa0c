#pragma once

#include "model/GameTimer.h"
#include "model/MessageWindow.h"

#include <string>
#include <vector>

// Records every message shown and whether the game clock ran while it was up.
class FakeMessageWindow : public TMessageWindow
{
public:
    explicit FakeMessageWindow(const TGameTimer *clock = nullptr) : clock_(clock) {}

    void ShowDialog(const std::string &text) override
    {
        Messages.push_back(text);
        if (clock_ != nullptr && clock_->Enabled())
            ClockRanDuringMessage = true;
    }

    std::vector<std::string> Messages;
    bool ClockRanDuringMessage = false;

private:
    const TGameTimer *clock_;
};
