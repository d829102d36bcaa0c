#pragma once

#include <string>
#include <vector>

// A table file that could not be read or written: the file name and the store's message.
struct TTableFileError
{
    std::string FileName;
    std::string Message;
    // Whether the file belongs to the saved hotels (tHotel, tFloor, tRoom),
    // as opposed to the price catalog.
    bool InSaveSet = false;
};

// What start-up found of the saved hotels and did about it.
struct TSaveSetCheck
{
    // The files of the set that were damaged, each with why; empty when the set was sound.
    std::vector<TTableFileError> Damaged;
    // Where the damaged set was moved (with a trailing '/'); empty when it could not be.
    std::string MovedTo;
    // Why it could not be moved; the set is then neither played nor saved.
    std::string MoveProblem;
    // The backup folder the hotels came back from; empty when none loaded cleanly.
    std::string RestoredFrom;
    // Why the restored set could not be written in place (it is saved at the next save).
    std::string RestoreProblem;
    // Why the note of an unfinished save's renames was not followed (it is left in place).
    std::string NoteProblem;
    // Why the files of the set may not be read or replaced (another user's file, or a link into
    // a folder others can write); the set is then neither played nor saved.
    std::string Refused;
};
