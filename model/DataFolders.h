#pragma once

#include <string>

// Where one run of the game keeps its saves and reads its price catalog.
// Every folder ends with '/'.
struct TDataPlaces
{
    std::string SaveDir;
    std::string CatalogFile;
    // The catalog is written back at exit only where it was read from and only
    // when that folder may be written; an installed catalog never is.
    bool CatalogWritable = false;
};

// Chooses the save folder and the catalog for a run:
// - the folder given on the command line, when there is one;
// - else the executable's folder when it can be written and is not the bin
//   folder of an installation (a build tree or a portable copy);
// - else $XDG_DATA_HOME/tamsel-hotel/, by default ~/.local/share/tamsel-hotel/.
// The catalog is the player's own in the save folder, else the one beside the
// executable, else the installation's shared one.
//
// Plain C++ and POSIX so that the model and the table tools can use it without
// the window toolkit; the file system questions go through a probe, because a
// test running as root could otherwise write everywhere.
class TDataFolders
{
public:
    static constexpr const char *kCatalogFileName = "tRooms.dht";
    static constexpr const char *kFolderName = "tamsel-hotel";

    // What the choice depends on. Empty texts mean "not given" or "unset".
    struct TInputs
    {
        std::string ExecutableDir;
        // share/tamsel-hotel/ of the installation the executable belongs to.
        std::string InstalledDataDir;
        std::string ChosenDir;
        std::string XdgDataHome;
        std::string Home;
    };

    // The file system as the choice sees it.
    class TProbe
    {
    public:
        virtual ~TProbe() = default;
        virtual bool Writable(const std::string &dir) const;
        virtual bool Exists(const std::string &file) const;
    };

    // The inputs of this process: its executable, the installation's data
    // folder relative to it, the environment; chosenDir is made absolute.
    static TInputs FromEnvironment(const std::string &chosenDir);
    static TDataPlaces Choose(const TInputs &inputs, const TProbe &probe);
    // Creates the save folder with its parents; throws std::runtime_error
    // naming the folder when it cannot.
    static void CreateSaveDir(const TDataPlaces &places);
    // What the player should know at start about the save folder, so that it is not first
    // noticed at the first save: no home folder to keep the saves in, or a save folder that
    // cannot be written. Empty when neither.
    static std::string StartProblem(const TInputs &inputs, const TDataPlaces &places,
                                    const TProbe &probe);
};
