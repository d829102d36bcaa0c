#include "model/DataFolders.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

// The installation's data folder as seen from its bin folder; the build
// passes the real one, so that a relocated installation still finds it.
#ifndef TAMSEL_DATA_FROM_BIN
#define TAMSEL_DATA_FROM_BIN "../share/tamsel-hotel"
#endif

namespace {

std::string WithSlash(std::string path)
{
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

std::string Environment(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string HomeDir()
{
    std::string home = Environment("HOME");
    if (home.empty())
        if (const passwd *user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr)
            home = user->pw_dir;
    return home;
}

std::string ExecutableDir()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? "./" : WithSlash(exe.parent_path().string());
}

// The freedesktop base-directory rules ignore a relative $XDG_DATA_HOME.
bool Absolute(const std::string &path)
{
    return !path.empty() && path.front() == '/';
}

} // namespace

bool TDataFolders::TProbe::Writable(const std::string &dir) const
{
    return access(dir.c_str(), W_OK | X_OK) == 0;
}

bool TDataFolders::TProbe::Exists(const std::string &file) const
{
    std::error_code ignored;
    return std::filesystem::is_regular_file(file, ignored);
}

TDataFolders::TInputs TDataFolders::FromEnvironment(const std::string &chosenDir)
{
    TInputs inputs;
    inputs.ExecutableDir = ExecutableDir();
    inputs.InstalledDataDir =
        WithSlash((std::filesystem::path(inputs.ExecutableDir) / TAMSEL_DATA_FROM_BIN)
                      .lexically_normal()
                      .string());
    if (!chosenDir.empty())
        inputs.ChosenDir = std::filesystem::absolute(chosenDir).lexically_normal().string();
    inputs.XdgDataHome = Environment("XDG_DATA_HOME");
    inputs.Home = HomeDir();
    return inputs;
}

TDataPlaces TDataFolders::Choose(const TInputs &inputs, const TProbe &probe)
{
    const std::string exeDir = WithSlash(inputs.ExecutableDir);
    const std::string installedDir = WithSlash(inputs.InstalledDataDir);
    // An installation's bin folder is shared by every program there; even
    // when it can be written (by root), saves do not belong in it.
    const bool installed = !installedDir.empty() && probe.Exists(installedDir + kCatalogFileName);

    TDataPlaces places;
    if (!inputs.ChosenDir.empty())
        places.SaveDir = WithSlash(inputs.ChosenDir);
    else if (!installed && probe.Writable(exeDir))
        places.SaveDir = exeDir;
    else if (Absolute(inputs.XdgDataHome))
        places.SaveDir = WithSlash(inputs.XdgDataHome) + kFolderName + "/";
    else if (!inputs.Home.empty())
        places.SaveDir = WithSlash(inputs.Home) + ".local/share/" + kFolderName + "/";
    else
        places.SaveDir = exeDir; // No home at all: the old place, whose errors are reported.

    if (probe.Exists(places.SaveDir + kCatalogFileName)) {
        places.CatalogFile = places.SaveDir + kCatalogFileName;
        places.CatalogWritable = probe.Writable(places.SaveDir);
    } else if (probe.Exists(exeDir + kCatalogFileName)) {
        places.CatalogFile = exeDir + kCatalogFileName;
        places.CatalogWritable = probe.Writable(exeDir);
    } else if (installed) {
        places.CatalogFile = installedDir + kCatalogFileName;
        places.CatalogWritable = false;
    } else {
        // No catalog anywhere: the load error names the place for a player's own.
        places.CatalogFile = places.SaveDir + kCatalogFileName;
        places.CatalogWritable = false;
    }
    return places;
}

void TDataFolders::CreateSaveDir(const TDataPlaces &places)
{
    std::error_code error;
    std::filesystem::create_directories(places.SaveDir, error);
    if (error)
        throw std::runtime_error("Cannot create the save folder " + places.SaveDir + ": " +
                                 error.message());
}

std::string TDataFolders::StartProblem(const TInputs &inputs, const TDataPlaces &places,
                                       const TProbe &probe)
{
    std::string text;
    if (inputs.ChosenDir.empty() && !Absolute(inputs.XdgDataHome) && inputs.Home.empty())
        text = "There is no home folder (HOME is not set, and the user has none), so the "
               "hotels have no folder of their own; the game uses " +
               places.SaveDir + ".\n";
    if (!probe.Writable(places.SaveDir))
        text += "The save folder " + places.SaveDir +
                " cannot be written: the hotels can be played but not saved. Give a folder of "
                "your own with --data-dir.";
    return text;
}
