#pragma once

#include <string>

// The modal message window through which the model refuses a command. ShowDialog
// returns when the player has closed the window.
class TMessageWindow
{
public:
    virtual ~TMessageWindow() = default;
    virtual void ShowDialog(const std::string &text) = 0;
};
