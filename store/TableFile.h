#pragma once

#include "store/MemTableSaveFlags.h"

#include <memory>
#include <string>
#include <string_view>

class TvekCustomMemTable;

// The binary table file of a memory table: "TPF0", the format version, the
// field and index definition lists and the record list, all as tagged values.
// TvekCustomMemTable::ReadTableFile and WriteTableFile are built on it; the
// byte-level entry points serve tools and the fuzzer, which have no file.
class TTableFile
{
public:
    static constexpr int Version = 251;

    // The bytes of a whole file, left uninitialised until read, since table
    // files can be large.
    struct TFileBytes
    {
        std::unique_ptr<char[]> data;
        std::size_t size = 0;
        std::string_view View() const { return {data.get(), size}; }
    };

    // The whole file; EFOpenError "Cannot open file %s" when it cannot be opened.
    static TFileBytes LoadBytes(const std::string &fileName);
    // Adds the records of a table file's bytes to the table, with notices
    // suspended until the end and the view re-read afterwards, also on error.
    // A damaged file raises EReadError and keeps the records read before.
    static void Read(TvekCustomMemTable &table, std::string_view bytes);
    // The bytes of the table's file; leaves the edit state and, as the flags
    // say, switches the filter off for the write.
    static std::string Write(TvekCustomMemTable &table, TvekMemTableSaveFlags saveFlags);
    // The bytes of the file that Write gives with the filter switched off, made
    // without touching the table: its state, filter and cursor stay, and no
    // notice is sent. A change still being edited is not part of it.
    static std::string WriteEveryRecord(TvekCustomMemTable &table, TvekMemTableSaveFlags saveFlags);
};
