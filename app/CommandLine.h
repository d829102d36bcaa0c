#pragma once

#include <string>

// The game's command line: --help, --version and --data-dir DIR (also
// --data-dir=DIR). Anything else is an error with a message for the terminal.
class TCommandLine
{
public:
    enum class TAction
    {
        Play,
        Help,
        Version,
        Error
    };

    TCommandLine(int argc, char **argv);

    TAction Action() const { return action_; }
    // The save folder the player chose; empty when none was given.
    const std::string &DataDir() const { return dataDir_; }
    const std::string &Error() const { return error_; }
    static std::string HelpText(const std::string &program);

private:
    TAction action_ = TAction::Play;
    std::string dataDir_;
    std::string error_;
};
