#include "model/TableSchemas.h"
#include "store/MemTable.h"
#include "store/TableFile.h"
#include "support/TableFileFuzzCheck.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesIn(const std::string &folder)
{
    std::vector<fs::path> files;
    const fs::path directory = fs::path(TAMSEL_CORPUS_DIR) / folder;
    if (fs::exists(directory)) {
        for (const auto &entry : fs::directory_iterator(directory)) {
            if (entry.is_regular_file() && entry.path().filename() != "README.md") {
                files.push_back(entry.path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string Contents(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The fuzzer's seeds are well-formed files of every form a reader accepts.
TEST(TableFileCorpus, SeedsReadWithoutError)
{
    const auto seeds = FilesIn("seeds");
    ASSERT_FALSE(seeds.empty());
    for (const fs::path &seed : seeds) {
        TvekMemTable table("tHotel");
        DefineGameTableFields(table, "tHotel");
        table.Open();
        EXPECT_NO_THROW(table.ReadTableFile(seed.string())) << seed;
        EXPECT_EQ(CheckTableFileBytes(Contents(seed)), "") << seed;
    }
}

// Every input the fuzzer ever broke the reader with stays fixed.
TEST(TableFileCorpus, RegressionsKeepTheirPromises)
{
    for (const fs::path &input : FilesIn("regressions")) {
        EXPECT_EQ(CheckTableFileBytes(Contents(input)), "") << input;
    }
}

} // namespace
