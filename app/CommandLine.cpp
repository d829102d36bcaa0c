#include "app/CommandLine.h"

#include <string_view>

TCommandLine::TCommandLine(int argc, char **argv)
{
    constexpr std::string_view dataDirOption = "--data-dir";
    // The first --help, --version or error ends the reading.
    for (int i = 1; i < argc && action_ == TAction::Play; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            action_ = TAction::Help;
        } else if (argument == "--version") {
            action_ = TAction::Version;
        } else if (argument == dataDirOption) {
            if (i + 1 >= argc || std::string_view(argv[i + 1]).empty()) {
                action_ = TAction::Error;
                error_ = "--data-dir needs a folder";
            } else {
                dataDir_ = argv[++i];
            }
        } else if (argument.substr(0, dataDirOption.size() + 1) == "--data-dir=") {
            dataDir_ = argument.substr(dataDirOption.size() + 1);
            if (dataDir_.empty()) {
                action_ = TAction::Error;
                error_ = "--data-dir needs a folder";
            }
        } else {
            action_ = TAction::Error;
            error_ = "unknown option " + std::string(argument);
        }
    }
}

std::string TCommandLine::HelpText(const std::string &program)
{
    return "Usage: " + program +
           " [OPTION]\n"
           "Tamsel Hotel, a hotel-building game.\n"
           "\n"
           "  --data-dir DIR  keep the saved hotels in DIR (created when missing)\n"
           "  --help          show this help and exit\n"
           "  --version       show the version and exit\n"
           "\n"
           "Without --data-dir the hotels are saved beside the program when its folder\n"
           "can be written, else in $XDG_DATA_HOME/tamsel-hotel (by default\n"
           "~/.local/share/tamsel-hotel). The price catalog tRooms.dht is read from the\n"
           "save folder when one is there, else from beside the program, else from the\n"
           "installed shared data.\n";
}
