// Where saves live and which catalog is read: the choice of folders for a
// build tree, a portable copy, an installation, a player's own catalog and a
// folder given on the command line; then the model on those places.
#include "model/DataFolders.h"

#include "ModelFixture.h"

#include <fstream>
#include <optional>
#include <ostream>
#include <set>

namespace {

// The file system as a table: the folders that may be written and the files
// that exist. Root may write everywhere, so real permissions cannot show this.
class FakeProbe : public TDataFolders::TProbe
{
public:
    FakeProbe(std::set<std::string> writable, std::set<std::string> files)
        : writable_(std::move(writable)), files_(std::move(files))
    {
    }
    bool Writable(const std::string &dir) const override { return writable_.count(dir) > 0; }
    bool Exists(const std::string &file) const override { return files_.count(file) > 0; }

private:
    std::set<std::string> writable_;
    std::set<std::string> files_;
};

struct FolderCase
{
    const char *name;
    TDataFolders::TInputs inputs;
    std::set<std::string> writable;
    std::set<std::string> files;
    TDataPlaces expected;
};

void PrintTo(const FolderCase &row, std::ostream *out)
{
    *out << row.name;
}

const char *const kUsrBin = "/usr/bin/";
const char *const kUsrShare = "/usr/share/tamsel-hotel/";
const char *const kAnnSaves = "/home/ann/.local/share/tamsel-hotel/";

TDataFolders::TInputs Installed(std::string chosen = "", std::string xdg = "")
{
    return {kUsrBin, kUsrShare, std::move(chosen), std::move(xdg), "/home/ann"};
}

TDataFolders::TInputs Portable(std::string exeDir, std::string xdg = "")
{
    return {exeDir, exeDir + "../share/tamsel-hotel/", "", std::move(xdg), "/home/ann"};
}

const FolderCase kFolderCases[] = {
    {"BuildTreeKeepsEverythingBesideTheExecutable",
     Portable("/src/build/bin/"),
     {"/src/build/bin/"},
     {"/src/build/bin/tRooms.dht"},
     {"/src/build/bin/", "/src/build/bin/tRooms.dht", true}},
    {"ReadOnlyCopyFallsBackToXdgDataHomeAndReadsItsCatalog",
     Portable("/opt/hotel/", "/data/ann"),
     {},
     {"/opt/hotel/tRooms.dht"},
     {"/data/ann/tamsel-hotel/", "/opt/hotel/tRooms.dht", false}},
    {"InstalledWithoutXdgUsesTheHomeDefaultAndTheSharedCatalog",
     Installed(),
     {},
     {"/usr/share/tamsel-hotel/tRooms.dht"},
     {kAnnSaves, "/usr/share/tamsel-hotel/tRooms.dht", false}},
    {"InstalledRunByRootStillKeepsSavesOutOfTheBinFolder",
     Installed(),
     {kUsrBin, kUsrShare},
     {"/usr/share/tamsel-hotel/tRooms.dht"},
     {kAnnSaves, "/usr/share/tamsel-hotel/tRooms.dht", false}},
    {"InstalledWithXdgDataHome",
     Installed("", "/data/ann/"),
     {},
     {"/usr/share/tamsel-hotel/tRooms.dht"},
     {"/data/ann/tamsel-hotel/", "/usr/share/tamsel-hotel/tRooms.dht", false}},
    {"RelativeXdgDataHomeIsIgnored",
     Installed("", "relative/data"),
     {},
     {"/usr/share/tamsel-hotel/tRooms.dht"},
     {kAnnSaves, "/usr/share/tamsel-hotel/tRooms.dht", false}},
    {"PlayersOwnCatalogInTheSaveFolderComesFirstAndIsWrittenBack",
     Installed(),
     {kAnnSaves},
     {"/usr/share/tamsel-hotel/tRooms.dht", "/home/ann/.local/share/tamsel-hotel/tRooms.dht"},
     {kAnnSaves, "/home/ann/.local/share/tamsel-hotel/tRooms.dht", true}},
    {"ChosenFolderHoldsTheSavesAndTheInstalledCatalogIsRead",
     Installed("/games/mine"),
     {"/games/mine/"},
     {"/usr/share/tamsel-hotel/tRooms.dht"},
     {"/games/mine/", "/usr/share/tamsel-hotel/tRooms.dht", false}},
    {"ChosenFolderWinsOverAWritableBuildTree",
     {"/src/build/bin/", "/src/build/share/tamsel-hotel/", "/games/mine/", "", "/home/ann"},
     {"/src/build/bin/", "/games/mine/"},
     {"/src/build/bin/tRooms.dht"},
     {"/games/mine/", "/src/build/bin/tRooms.dht", true}},
    {"ChosenFolderWithItsOwnCatalog",
     Installed("/games/mine/"),
     {"/games/mine/"},
     {"/usr/share/tamsel-hotel/tRooms.dht", "/games/mine/tRooms.dht"},
     {"/games/mine/", "/games/mine/tRooms.dht", true}},
    {"NoCatalogAnywhereIsLookedForInTheSaveFolderAndNeverWritten",
     Portable("/src/build/bin/"),
     {"/src/build/bin/"},
     {},
     {"/src/build/bin/", "/src/build/bin/tRooms.dht", false}},
    {"NoHomeAndAReadOnlyExecutableFolderKeepTheOldPlace",
     {"/opt/hotel/", "/opt/share/tamsel-hotel/", "", "", ""},
     {},
     {"/opt/hotel/tRooms.dht"},
     {"/opt/hotel/", "/opt/hotel/tRooms.dht", false}},
};

class DataFoldersChoice : public ::testing::TestWithParam<FolderCase>
{
};

} // namespace

TEST_P(DataFoldersChoice, ChoosesSavesAndCatalog)
{
    const FolderCase &row = GetParam();
    const TDataPlaces places = TDataFolders::Choose(row.inputs, FakeProbe(row.writable, row.files));
    EXPECT_EQ(places.SaveDir, row.expected.SaveDir);
    EXPECT_EQ(places.CatalogFile, row.expected.CatalogFile);
    EXPECT_EQ(places.CatalogWritable, row.expected.CatalogWritable);
}

INSTANTIATE_TEST_SUITE_P(Cases, DataFoldersChoice, ::testing::ValuesIn(kFolderCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The environment of this process, changed for one test and put back after it.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char *name, const char *value) : name_(name)
    {
        if (const char *old = std::getenv(name))
            old_ = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char *name_;
    std::optional<std::string> old_;
};

TEST(DataFoldersEnvironment, ReadsXdgAndHomeAndMakesTheChosenFolderAbsolute)
{
    ScopedEnvironment xdg("XDG_DATA_HOME", "/data/ann");
    ScopedEnvironment home("HOME", "/home/ann");
    const TDataFolders::TInputs inputs = TDataFolders::FromEnvironment("saves/../mine");
    EXPECT_EQ(inputs.XdgDataHome, "/data/ann");
    EXPECT_EQ(inputs.Home, "/home/ann");
    EXPECT_EQ(inputs.ChosenDir, (std::filesystem::current_path() / "mine").string());
    EXPECT_EQ(inputs.ExecutableDir, TD_Data::ExecutableDirectory());
    // The test runs from the build's bin folder: the installation would be beside it.
    EXPECT_EQ(inputs.InstalledDataDir, (std::filesystem::path(TD_Data::ExecutableDirectory()) /
                                        ".." / "share" / "tamsel-hotel" / "")
                                           .lexically_normal()
                                           .string());
}

TEST(DataFoldersEnvironment, UnsetXdgAndNoChosenFolderStayEmpty)
{
    ScopedEnvironment xdg("XDG_DATA_HOME", nullptr);
    const TDataFolders::TInputs inputs = TDataFolders::FromEnvironment("");
    EXPECT_EQ(inputs.XdgDataHome, "");
    EXPECT_EQ(inputs.ChosenDir, "");
    EXPECT_FALSE(inputs.Home.empty());
}

TEST(DataFoldersCreate, MakesTheSaveFolderWithItsParentsOrSaysWhyNot)
{
    TempDir dir;
    const TDataPlaces places{dir.Path + "share/tamsel-hotel/", "", false};
    TDataFolders::CreateSaveDir(places);
    EXPECT_TRUE(std::filesystem::is_directory(places.SaveDir));
    TDataFolders::CreateSaveDir(places); // a second start finds it there

    std::ofstream(dir.Path + "file") << "x";
    try {
        TDataFolders::CreateSaveDir({dir.Path + "file/saves/", "", false});
        FAIL() << "a folder under a file was made";
    } catch (const std::runtime_error &error) {
        EXPECT_NE(std::string(error.what()).find(dir.Path + "file/saves/"), std::string::npos)
            << error.what();
    }
}

// The model on places apart: saves in one folder, the catalog in another.
class ModelPlacesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(saves);
        std::filesystem::create_directories(shared);
        WriteCatalogFile(TestCatalog(), shared + "tRooms.dht");
        std::filesystem::last_write_time(shared + "tRooms.dht", kOld);
    }

    // Plays a little: a hotel bought with a floor, then the program ends.
    void PlayAndQuit(const TDataPlaces &places)
    {
        TD_Data data(places);
        EXPECT_TRUE(data.LoadErrors().empty()) << data.LoadErrorText();
        data.NewHotel("Apart");
        data.SelectHotel(data.tHotel.FieldNamed("HOTEL_ID").AsInteger());
        data.BuildFloor();
        data.DataModuleDestroy();
        EXPECT_TRUE(data.SaveErrors().empty());
    }

    static std::string Bytes(const std::string &file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    const std::filesystem::file_time_type kOld =
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    TempDir dir;
    std::string saves = dir.Path + "saves/";
    std::string shared = dir.Path + "share/";
};

TEST_F(ModelPlacesTest, AReadOnlyCatalogIsReadButNeverRewritten)
{
    const std::string before = Bytes(shared + "tRooms.dht");
    PlayAndQuit({saves, shared + "tRooms.dht", false});

    EXPECT_EQ(Bytes(shared + "tRooms.dht"), before);
    EXPECT_EQ(std::filesystem::last_write_time(shared + "tRooms.dht"), kOld);
    EXPECT_FALSE(std::filesystem::exists(saves + "tRooms.dht"));
    for (const char *table : {"tHotel.dht", "tFloor.dht", "tRoom.dht"})
        EXPECT_TRUE(std::filesystem::is_regular_file(saves + table)) << table;

    // The next start reads the hotel back with the shared catalog.
    TD_Data again({saves, shared + "tRooms.dht", false});
    EXPECT_TRUE(again.LoadErrors().empty()) << again.LoadErrorText();
    ASSERT_TRUE(again.tHotel.Locate("NAME", "Apart"));
    EXPECT_EQ(again.tHotel.FieldNamed("MONEY").AsInteger(), 50000 - 10000);
    EXPECT_EQ(again.CatalogPrice(10), 10000);
}

TEST_F(ModelPlacesTest, AWritableCatalogIsWrittenBackWhereItWasReadOnly)
{
    PlayAndQuit({saves, shared + "tRooms.dht", true});
    EXPECT_NE(std::filesystem::last_write_time(shared + "tRooms.dht"), kOld);
    EXPECT_FALSE(std::filesystem::exists(saves + "tRooms.dht"));
}

TEST_F(ModelPlacesTest, TheDirectoryConstructorKeepsEverythingInOnePlace)
{
    WriteCatalogFile(TestCatalog(), saves + "tRooms.dht");
    std::filesystem::last_write_time(saves + "tRooms.dht", kOld);
    {
        TD_Data data(saves);
        EXPECT_EQ(data.AppPath(), saves);
        EXPECT_EQ(data.CatalogFile(), saves + "tRooms.dht");
    }
    EXPECT_NE(std::filesystem::last_write_time(saves + "tRooms.dht"), kOld);
    EXPECT_TRUE(std::filesystem::is_regular_file(saves + "tHotel.dht"));
}

// Without a home folder, or with a save folder that cannot be written, the player hears it at
// start instead of at the first save.
TEST(DataFoldersStart, NoHomeOrAFolderThatCannotBeWrittenIsSaidAtStart)
{
    const struct
    {
        const char *name;
        TDataFolders::TInputs inputs;
        bool writable;
        std::vector<const char *> said;
    } cases[] = {
        {"a home and a folder to write", Installed(), true, {}},
        {"a read-only folder", Installed("/media/cdrom/saves"), false, {"cannot be written"}},
        {"no home",
         {kUsrBin, kUsrShare, "", "", ""},
         false,
         {"no home folder", "cannot be written"}},
        {"no home but XDG_DATA_HOME", {kUsrBin, kUsrShare, "", "/data", ""}, true, {}},
        {"no home but a chosen folder", {kUsrBin, kUsrShare, "/saves", "", ""}, true, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const TDataPlaces places = TDataFolders::Choose(c.inputs, FakeProbe({}, {}));
        const FakeProbe probe(
            c.writable ? std::set<std::string>{places.SaveDir} : std::set<std::string>{}, {});
        const std::string problem = TDataFolders::StartProblem(c.inputs, places, probe);
        if (c.said.empty())
            EXPECT_EQ(problem, "");
        for (const char *part : c.said)
            EXPECT_NE(problem.find(part), std::string::npos) << problem;
        if (!c.writable)
            EXPECT_NE(problem.find(places.SaveDir), std::string::npos) << problem;
    }
}
