#include "TableFileTestSupport.h"
#include "store/SaveFolderLock.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct TRun
{
    int status;
    std::string out;
    std::string err;
};

// Drives the real hotel-tables program with files in a directory of its own.
class HotelTablesTool : public TScratchTest
{
protected:
    TRun Run(const std::string &arguments, const std::string &input = {}) const
    {
        Put(PathOf("stdin"), input);
        const std::string command = std::string(HOTEL_TABLES) + " " + arguments + " < " +
                                    PathOf("stdin") + " > " + PathOf("stdout") + " 2> " +
                                    PathOf("stderr");
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Contents(PathOf("stdout")),
                Contents(PathOf("stderr"))};
    }
};

struct TSchemaCase
{
    const char *table;
    std::string lines;
};

class HotelTablesRoundTrip : public HotelTablesTool, public testing::WithParamInterface<TSchemaCase>
{
};

TEST_P(HotelTablesRoundTrip, WriteThenDumpGivesTheRecordsBack)
{
    const std::string file = PathOf(std::string(GetParam().table) + ".dht");
    const TRun write = Run("write " + file, GetParam().lines);
    ASSERT_EQ(write.status, 0) << write.err;
    const TRun dump = Run("dump " + file);
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out, GetParam().lines);
    EXPECT_EQ(dump.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Schemas, HotelTablesRoundTrip,
    testing::Values(
        TSchemaCase{"tHotel",
                    "{\"HOTEL_ID\":0,\"NAME\":\"Sea View\",\"MONEY\":50000,\"ID\":0,"
                    "\"DATE\":\"2005-01-01\",\"TIME\":10}\n"
                    "{\"HOTEL_ID\":7,\"NAME\":\"Caf\xC3\xA9 \xE2\x82\xAC\",\"MONEY\":-3,\"ID\":41,"
                    "\"DATE\":null,\"TIME\":23}\n"
                    "{\"HOTEL_ID\":8,\"NAME\":null,\"MONEY\":null,\"ID\":null,"
                    "\"DATE\":\"9999-12-31\",\"TIME\":null}\n"},
        TSchemaCase{"tFloor",
                    "{\"ID\":3,\"HOTEL_ID\":0,\"FLOOR_ID\":0,\"DIRTY\":100,"
                    "\"DIRTY_STATION\":-1,\"POLICY\":100,\"POLICY_STATION\":-1,\"FIRE\":100,"
                    "\"FIRE_STATION\":-1,\"STUFF\":\"0000\",\"COMFORT\":75,"
                    "\"STUF_WEAR\":\"00000000\"}\n"},
        TSchemaCase{"tRoom", "{\"ID\":4,\"HOTEL_ID\":0,\"FLOOR_ID\":0,\"POSIT\":2,\"TYPE\":3,"
                             "\"STATUS\":-12,\"WEAR\":40000,\"ALPHA\":55}\n"},
        TSchemaCase{"tRooms", "{\"ID\":1,\"NAME\":\"Single room\",\"WIDTH\":1,\"PRICE\":2000,"
                              "\"INCOME\":2147483647,\"WEAR\":30,\"BUILD\":0}\n"
                              "{\"ID\":21,\"NAME\":\"Lift\",\"WIDTH\":0,\"PRICE\":-2147483648,"
                              "\"INCOME\":0,\"WEAR\":99,\"BUILD\":0}\n"}),
    [](const testing::TestParamInfo<TSchemaCase> &info) { return info.param.table; });

TEST_F(HotelTablesTool, WritesTheGamesBytes)
{
    const std::string floors = PathOf("floors.dht");
    ASSERT_EQ(Run("write " + floors + " --schema tFloor",
                  "{\"ID\":3,\"HOTEL_ID\":0,\"FLOOR_ID\":0,\"DIRTY\":100,\"DIRTY_STATION\":-1,"
                  "\"POLICY\":100,\"POLICY_STATION\":-1,\"FIRE\":100,\"FIRE_STATION\":-1,"
                  "\"STUFF\":\"0000\",\"COMFORT\":75,\"STUF_WEAR\":\"00000000\"}\n")
                  .status,
              0);
    EXPECT_EQ(
        Contents(floors),
        BytesOf("54 50 46 30 03 FB 00 01 00 01 00 01 01 02 00 08 02 03 08 02 00 08 02 00 08 02 "
                "64 08 02 FF 08 02 64 08 02 FF 08 02 64 08 02 FF 08 06 04 30 30 30 30 08 02 4B "
                "08 06 08 30 30 30 30 30 30 30 30 00 00 "));

    // Fields a line leaves out take their defaults, as in a hotel the game makes.
    const std::string hotels = PathOf("tHotel.dht");
    ASSERT_EQ(Run("write " + hotels, "{\"NAME\":\"Sea View\",\"DATE\":\"2005-01-01\"}\n").status,
              0);
    EXPECT_EQ(
        Contents(hotels),
        BytesOf("54 50 46 30 03 FB 00 01 00 01 00 01 01 02 00 08 02 00 08 06 08 53 65 61 20 56 "
                "69 65 77 08 04 50 C3 00 00 08 02 00 08 05 00 00 00 00 00 00 D1 95 0E 40 08 02 "
                "0A 00 00 "));

    ASSERT_EQ(Run("write " + PathOf("empty.dht") + " --schema tRoom --empty", "").status, 0);
    EXPECT_EQ(Contents(PathOf("empty.dht")), BytesOf("54 50 46 30 03 FB 00 01 00 01 00 01 00 "));
}

struct TBadFile
{
    const char *name;
    std::string bytes;
    const char *message;
};

class HotelTablesRefuses : public HotelTablesTool, public testing::WithParamInterface<TBadFile>
{
};

TEST_P(HotelTablesRefuses, MalformedFileExitsOneWithTheMessage)
{
    const std::string file = PathOf("tHotel.dht");
    Put(file, GetParam().bytes);
    const TRun dump = Run("dump " + file);
    EXPECT_EQ(dump.status, 1);
    EXPECT_EQ(dump.out, "");
    EXPECT_EQ(dump.err, std::string(GetParam().message) + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Files, HotelTablesRefuses,
    testing::Values(
        TBadFile{"WrongSignature", BytesOf("54 50 46 31 03 FB 00 01 00 01 00 01 00 "),
                 "Invalid stream format"},
        TBadFile{"Truncated",
                 BytesOf("54 50 46 30 03 FB 00 01 00 01 00 01 01 02 00 08 02 00 08 06 08 53 "),
                 "Stream read error"},
        TBadFile{"WrongTag",
                 BytesOf("54 50 46 30 03 FB 00 01 00 01 00 01 01 02 00 08 06 01 41 00 00 "),
                 "Invalid property value"},
        TBadFile{
            "UnknownFieldType",
            BytesOf("54 50 46 30 03 FB 00 01 06 01 4E 06 05 46 6C 6F 61 74 02 00 06 00 06 00 02 "
                    "00 08 08 06 04 44 61 74 61 06 00 00 01 00 01 00 "),
            "Unknown field type (Float)"}),
    [](const testing::TestParamInfo<TBadFile> &info) { return info.param.name; });

TEST_F(HotelTablesTool, MissingFileAndUnknownSchemaExitOne)
{
    const std::string missing = PathOf("tRoom.dht");
    const TRun dump = Run("dump " + missing);
    EXPECT_EQ(dump.status, 1);
    EXPECT_EQ(dump.err, "Cannot open file " + missing + "\n");

    const TRun other = Run("dump " + PathOf("notes.dht"));
    EXPECT_EQ(other.status, 1);
    EXPECT_NE(other.err.find("--schema"), std::string::npos);
    EXPECT_EQ(Run("").status, 1);
}

// What would lose a table or touch something that is no table file is refused before anything
// is written: an input without records (unless --empty asks for that), records beside --empty,
// a target that is a pipe or a folder, and a line longer than any record.
TEST_F(HotelTablesTool, RefusesWhatWouldEmptyATableOrWriteOverSomethingElse)
{
    enum class TTarget
    {
        Table,
        Pipe,
        Folder
    };
    struct Case
    {
        const char *name;
        TTarget target;
        const char *options;
        std::string input;
        const char *message;
    };
    const Case cases[] = {
        {"no input", TTarget::Table, "", "", "no records on standard input"},
        {"blank lines only", TTarget::Table, "", "\n  \n\t\n", "no records on standard input"},
        {"a record beside --empty", TTarget::Table, " --empty", "{\"NAME\":\"New\"}\n",
         "line 1: --empty writes a table without records"},
        {"a pipe", TTarget::Pipe, "", "{\"NAME\":\"New\"}\n", "is not a regular file"},
        {"a pipe, even with --empty", TTarget::Pipe, " --empty", "", "is not a regular file"},
        {"a folder", TTarget::Folder, "", "{\"NAME\":\"New\"}\n", "is not a regular file"},
        {"an endless line", TTarget::Table, "",
         "{\"NAME\":\"New\"}\n{\"NAME\":\"" + std::string(2 * 1024 * 1024, 'a'),
         "line 2: longer than 1048576 bytes"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = PathOf("tHotel.dht");
        fs::remove_all(file);
        if (c.target == TTarget::Table)
            ASSERT_EQ(Run("write " + file, "{\"NAME\":\"Kept\"}\n").status, 0);
        else if (c.target == TTarget::Pipe)
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        else
            fs::create_directory(file);
        const std::string before = c.target == TTarget::Table ? Contents(file) : "";
        const TRun write = Run("write " + file + c.options, c.input);
        EXPECT_EQ(write.status, 1);
        EXPECT_NE(write.err.find(c.message), std::string::npos) << write.err;
        if (c.target == TTarget::Table)
            EXPECT_EQ(Contents(file), before);
        else
            EXPECT_EQ(fs::is_fifo(file), c.target == TTarget::Pipe);
        EXPECT_FALSE(fs::is_regular_file(file) && c.target != TTarget::Table);
    }
}

// A game playing the folder's saves would write its own tables over the new one: while one holds
// the folder the table is refused and left as it was, and once the game has ended it is written.
TEST_F(HotelTablesTool, RefusesATableInAFolderARunningGameHolds)
{
    const std::string file = PathOf("tHotel.dht");
    ASSERT_EQ(Run("write " + file, "{\"NAME\":\"Kept\"}\n").status, 0);
    const std::string before = Contents(file);
    {
        const TSaveFolderLock game(scratch.path.string());
        ASSERT_EQ(game.State(), TSaveFolderLock::TState::Held);
        const TRun write = Run("write " + file, "{\"NAME\":\"New\"}\n");
        EXPECT_EQ(write.status, 1);
        EXPECT_NE(write.err.find("a running game holds the saves"), std::string::npos) << write.err;
        EXPECT_EQ(Contents(file), before);
        EXPECT_EQ(Run("dump " + file).status, 0) << "reading is harmless and allowed";
    }
    EXPECT_EQ(Run("write " + file, "{\"NAME\":\"New\"}\n").status, 0);
    EXPECT_NE(Contents(file), before);
}

// Past the file-size limit (ulimit -f) a write fails with its message instead of killing the
// program by SIGXFSZ, and the table is as it was.
TEST_F(HotelTablesTool, AFileSizeLimitIsAnOrdinaryWriteError)
{
    const std::string file = PathOf("tRoom.dht");
    ASSERT_EQ(Run("write " + file, "{\"ID\":1}\n").status, 0);
    const std::string before = Contents(file);
    std::string rooms;
    for (int id = 1; id <= 400; ++id)
        rooms += "{\"ID\":" + std::to_string(id) + ",\"TYPE\":1,\"WEAR\":20}\n";
    Put(PathOf("stdin"), rooms);
    // A limit of a few blocks: the old file fits, the new one (about 8 KB) does not.
    const std::string command = "ulimit -f 4 && exec " + std::string(HOTEL_TABLES) + " write " +
                                file + " < " + PathOf("stdin") + " 2> " + PathOf("stderr");
    const int status = std::system(("sh -c '" + command + "'").c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal";
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(Contents(PathOf("stderr")).find("File too large"), std::string::npos)
        << Contents(PathOf("stderr"));
    EXPECT_EQ(Contents(file), before);
}

TEST_F(HotelTablesTool, FailedWriteLeavesTheFileAsItWas)
{
    const std::string file = PathOf("tHotel.dht");
    ASSERT_EQ(Run("write " + file, "{\"NAME\":\"Kept\"}\n").status, 0);
    const std::string before = Contents(file);

    for (const std::string &input : {std::string("{\"NAME\":\"Lost\"}\n{\"NAEM\":\"typo\"}\n"),
                                     std::string("{\"MONEY\":1.5}\n"), std::string("not json\n"),
                                     std::string("[1,2]\n"), std::string("{\"TIME\":true}\n")}) {
        const TRun write = Run("write " + file, input);
        EXPECT_EQ(write.status, 1) << input;
        EXPECT_NE(write.err, "") << input;
        EXPECT_EQ(Contents(file), before) << input;
    }
    EXPECT_EQ(Run("write " + file, "{\"NAEM\":\"typo\"}\n").err,
              "line 1: tHotel: Field 'NAEM' not found\n");
    EXPECT_EQ(Run("write " + file, "\n{\"MONEY\":3000000000}\n").err,
              "line 2: '3000000000' is not a valid integer value for field 'MONEY'\n");
    // Only the file itself is there: no temporary file was left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path), fs::directory_iterator()), 4);
}

// Values the fields cannot take, however deep or large: a short message naming
// the field and the line, exit status 1, and the file as it was.
TEST_F(HotelTablesTool, RefusesNestedAndOutOfRangeValuesWithAShortMessage)
{
    const std::string file = PathOf("tHotel.dht");
    ASSERT_EQ(Run("write " + file, "{\"NAME\":\"Kept\"}\n").status, 0);
    const std::string before = Contents(file);
    const std::size_t deep = 100000;
    struct Case
    {
        const char *name;
        std::string input;
        std::string message;
    };
    const Case cases[] = {
        {"arrays 100000 deep",
         "{\"NAME\":\"A\"}\n{\"NAME\":" + std::string(deep, '[') + std::string(deep, ']') + "}\n",
         "line 2: field 'NAME' takes a number, a text or null, not an array\n"},
        {"objects 100000 deep, unclosed", "{\"TIME\":" + std::string(deep, '{') + "\n",
         "line 1: field 'TIME' takes a number, a text or null, not an object\n"},
        {"2^63", "{\"MONEY\":9223372036854775808}\n",
         "line 1: '9223372036854775808' is not a valid integer value for field 'MONEY'\n"},
        {"2^64 - 1", "{\"MONEY\":18446744073709551615}\n",
         "line 1: '18446744073709551615' is not a valid integer value for field 'MONEY'\n"},
        {"2^64 - 2^31", "{\"ID\":18446744071562067968}\n",
         "line 1: '18446744071562067968' is not a valid integer value for field 'ID'\n"},
        {"-2^31 - 1", "{\"TIME\":-2147483649}\n",
         "line 1: '-2147483649' is not a valid integer value for field 'TIME'\n"},
        {"a top-level array", "[{\"NAME\":\"x\"}]\n", "line 1: a record must be a JSON object\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const TRun write = Run("write " + file, c.input);
        EXPECT_EQ(write.status, 1);
        EXPECT_EQ(write.err, c.message);
        EXPECT_EQ(Contents(file), before);
    }
    // A broken line is named, not repeated.
    const TRun broken = Run("write " + file, "{\"NAME\":\"" + std::string(deep, 'a') + "\n");
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.err.rfind("line 1: ", 0), 0u) << broken.err.substr(0, 200);
    EXPECT_LT(broken.err.size(), 300u);
    EXPECT_EQ(Contents(file), before);
    // The largest and smallest integers still go in.
    ASSERT_EQ(Run("write " + file, "{\"MONEY\":2147483647,\"TIME\":-2147483648}\n").status, 0);
    const std::string dump = Run("dump " + file).out;
    EXPECT_NE(dump.find("\"MONEY\":2147483647,"), std::string::npos) << dump;
    EXPECT_NE(dump.find("\"TIME\":-2147483648}"), std::string::npos) << dump;
}

} // namespace
