#pragma once

#include <string>

class TModelSeams;

// How the model refuses a player's command: the clock stands still while the
// message is shown, runs again afterwards only if it ran before, and the
// command ends with the silent abort EAbort. With no message window the
// refusal is silent but still aborts.
class TRefusal
{
public:
    explicit TRefusal(TModelSeams &seams) : seams_(seams) {}

    // Shows the message and throws EAbort; an error of the message window
    // itself passes through instead, the clock restored all the same.
    [[noreturn]] void Refuse(const std::string &message) const;

private:
    TModelSeams &seams_;
};
