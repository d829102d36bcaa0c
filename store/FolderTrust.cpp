#include "store/FolderTrust.h"

#include <cerrno>
#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string DirectoryOf(const std::string &fileName)
{
    const auto slash = fileName.rfind('/');
    return slash == std::string::npos ? std::string(".") : fileName.substr(0, slash + 1);
}

// A group of the player alone: named after the player, with no other member listed. Debian gives
// every user such a group, and a umask of 002 makes folders writable by it.
bool PlayersPrivateGroup(gid_t group)
{
    const passwd *player = ::getpwuid(::geteuid());
    const struct group *found = ::getgrgid(group);
    if (player == nullptr || found == nullptr || player->pw_gid != group ||
        std::strcmp(found->gr_name, player->pw_name) != 0)
        return false;
    for (char **member = found->gr_mem; *member != nullptr; ++member)
        if (std::strcmp(*member, player->pw_name) != 0)
            return false;
    return true;
}

// The links a name passes through to reach its file: each step's name, the name itself first.
std::vector<std::string> LinkChain(const std::string &file)
{
    std::vector<std::string> chain{file};
    std::string current = file;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info
        {
        };
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            break;
        std::vector<char> target(std::size_t(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size() - 1);
        if (length <= 0)
            break;
        const std::string next(target.data(), std::size_t(length));
        current = next.front() == '/' ? next : DirectoryOf(current) + next;
        chain.push_back(current);
    }
    return chain;
}

} // namespace

std::string TFolderTrust::FolderProblem(const std::string &folder)
{
    struct stat info
    {
    };
    if (::stat(folder.c_str(), &info) != 0)
        return folder + " cannot be used (" + std::strerror(errno) + ")";
    if (!S_ISDIR(info.st_mode))
        return folder + " is not a folder";
    if (info.st_uid != ::geteuid())
        return folder + " is not the player's own folder";
    if ((info.st_mode & S_IWOTH) != 0)
        return folder + " can be written by every user";
    if ((info.st_mode & S_IWGRP) != 0 && !PlayersPrivateGroup(info.st_gid))
        return folder + " can be written by other users of its group";
    return {};
}

std::string TFolderTrust::FileProblem(const std::string &file)
{
    const std::vector<std::string> chain = LinkChain(file);
    // Every folder a link leads into; the name's own folder is the caller's to judge.
    for (std::size_t i = 1; i < chain.size(); ++i) {
        const std::string problem = FolderProblem(DirectoryOf(chain[i]));
        if (!problem.empty())
            return file + " leads to " + chain[i] + ", and " + problem;
    }
    struct stat info
    {
    };
    if (::lstat(chain.back().c_str(), &info) != 0)
        return {};
    if (S_ISLNK(info.st_mode))
        return file + " is a chain of links too long to follow";
    if (info.st_uid != ::geteuid())
        return file + " is not the player's own file";
    return {};
}
