#pragma once

#include <string>

// Whether the game may read its saves from a folder and write them there: only where no other
// user can change what it finds. Another user who can write into the folder could plant a file,
// a link or a note of renames there and so make the game read or overwrite files of the
// player's; sticky folders (/tmp) do not help, since what a user plants there is theirs.
class TFolderTrust
{
public:
    // Empty when the folder (its links followed) is the player's own and no other user can
    // write into it; else why not, in words for the player. A folder that is writable by its
    // group counts as others' unless the group is the player's own private group.
    static std::string FolderProblem(const std::string &folder);

    // Empty when the file may be read and replaced: it does not exist, or it is the player's
    // own (its links followed), and each link on the way leads into a folder that passes
    // FolderProblem. Else why not.
    static std::string FileProblem(const std::string &file);
};
