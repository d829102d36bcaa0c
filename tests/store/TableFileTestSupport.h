#pragma once

#include "store/CustomMemTable.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <unistd.h>

// Helpers of the table-file tests: bytes written as hexadecimal text, and a
// scratch directory of the running test's own.

// "54 50 46 30" (blanks optional) -> the four bytes.
inline std::string BytesOf(std::string_view hex)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
        i += 2;
    }
    return bytes;
}

// The bytes as "54 50 46 30", so that a mismatch shows where it lies.
inline std::string HexOf(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char byte : bytes) {
        if (!text.empty()) {
            text += ' ';
        }
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

class TScratchDirectory
{
public:
    TScratchDirectory() : path(std::filesystem::temp_directory_path() / UniqueName())
    {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TScratchDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TScratchDirectory(const TScratchDirectory &) = delete;
    TScratchDirectory &operator=(const TScratchDirectory &) = delete;

    std::string PathOf(const std::string &name) const { return (path / name).string(); }
    std::size_t EntryCount() const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path),
                                                      std::filesystem::directory_iterator()));
    }
    static std::string Contents(const std::string &file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Put(const std::string &file, const std::string &bytes)
    {
        std::ofstream(file, std::ios::binary) << bytes;
    }

    const std::filesystem::path path;

private:
    // One flat name per test; parameterised tests have "/" in their names.
    static std::string UniqueName()
    {
        const auto *test = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "tamsel-" + std::to_string(::getpid()) + "-" + test->test_suite_name() +
                           "-" + test->name();
        for (char &c : name) {
            if (c == '/') {
                c = '_';
            }
        }
        return name;
    }
};

// A test with a scratch directory of its own.
class TScratchTest : public testing::Test
{
protected:
    std::string PathOf(const std::string &name) const { return scratch.PathOf(name); }
    static std::string Contents(const std::string &file)
    {
        return TScratchDirectory::Contents(file);
    }
    static void Put(const std::string &file, const std::string &bytes)
    {
        TScratchDirectory::Put(file, bytes);
    }
    std::size_t EntryCount() const { return scratch.EntryCount(); }

    // Puts the bytes where the table's file lies in the scratch directory and
    // reads them into the table; returns the error message, empty for none.
    std::string ReadInto(TvekCustomMemTable &table, const std::string &bytes)
    {
        const std::string path = PathOf(table.Name + ".dht");
        Put(path, bytes);
        try {
            table.ReadTableFile(path);
        } catch (const std::exception &error) {
            return error.what();
        }
        return {};
    }

    TScratchDirectory scratch;
};
