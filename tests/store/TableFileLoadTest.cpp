// A table file is read whole before it is parsed. The system may interrupt a
// read, fail one, hand the bytes over in pieces or find the file shorter than
// it was a moment before. The reader calls read() itself, so this program puts
// its own read() in front of the C library's: it follows a script for the one
// file a test names and passes every other read through untouched.
#include "TableFileTestSupport.h"
#include "model/TableSchemas.h"
#include "store/MemTable.h"

#include <algorithm>
#include <cerrno>
#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

enum class TReadStep
{
    Interrupted, // -1 with EINTR, nothing read
    Failed,      // -1 with EIO
    Piece,       // at most `size` bytes of the file
    Ended,       // 0: the file ends here
};

struct TScriptedRead
{
    TReadStep step;
    std::size_t size = 0;
};

// The next reads of one file, a step each; the reads after the last step are
// real. Every read of the file is noted: how far into the file it asked to go.
class TReadScript
{
public:
    TReadScript(const std::string &file, std::vector<TScriptedRead> steps)
        : steps(steps.begin(), steps.end())
    {
        struct stat info
        {
        };
        if (::stat(file.c_str(), &info) == 0) {
            device = info.st_dev;
            inode = info.st_ino;
        }
        active = this;
    }
    ~TReadScript() { active = nullptr; }
    TReadScript(const TReadScript &) = delete;
    TReadScript &operator=(const TReadScript &) = delete;

    std::size_t StepsLeft() const { return steps.size(); }
    // The offset plus the size asked for, the largest of all reads of the file.
    std::size_t FurthestAsked() const { return furthestAsked; }

    // The script of the file this read is of, or null.
    static TReadScript *For(int handle)
    {
        if (active == nullptr) {
            return nullptr;
        }
        struct stat info
        {
        };
        if (::fstat(handle, &info) != 0 || info.st_dev != active->device ||
            info.st_ino != active->inode) {
            return nullptr;
        }
        return active;
    }

    // The step for a read of `size` bytes from `offset`; a real read after the last.
    TScriptedRead Take(std::size_t offset, std::size_t size)
    {
        furthestAsked = std::max(furthestAsked, offset + size);
        if (steps.empty()) {
            return {TReadStep::Piece, size};
        }
        const TScriptedRead next = steps.front();
        steps.pop_front();
        return next;
    }

private:
    static inline TReadScript *active = nullptr;
    std::deque<TScriptedRead> steps;
    dev_t device = 0;
    ino_t inode = 0;
    std::size_t furthestAsked = 0;
};

ssize_t RealRead(int handle, void *buffer, std::size_t size)
{
    return ::syscall(SYS_read, handle, buffer, size);
}

} // namespace

extern "C" ssize_t read(int handle, void *buffer, std::size_t size)
{
    TReadScript *script = TReadScript::For(handle);
    if (script == nullptr) {
        return RealRead(handle, buffer, size);
    }
    const off_t offset = ::lseek(handle, 0, SEEK_CUR);
    const TScriptedRead next = script->Take(static_cast<std::size_t>(offset), size);
    switch (next.step) {
    case TReadStep::Interrupted:
        errno = EINTR;
        return -1;
    case TReadStep::Failed:
        errno = EIO;
        return -1;
    case TReadStep::Piece:
        return RealRead(handle, buffer, std::min(size, next.size));
    case TReadStep::Ended:
        return 0;
    }
    return RealRead(handle, buffer, size);
}

namespace {

// Two hotels of 31 and 30 bytes after the 12 of the header and the record
// list's start: "Sea View" from byte 12, "Harbour" from byte 43, the list's
// end at byte 73, 74 bytes in all.
const std::string TwoHotels =
    "54 50 46 30 03 FB 00 01 00 01 00 01 "
    "01 02 00 08 02 00 08 06 08 53 65 61 20 56 69 65 77 08 04 50 C3 00 00 08 02 00 09 08 02 0A 00 "
    "01 02 00 08 02 01 08 06 07 48 61 72 62 6F 75 72 08 04 50 C3 00 00 08 02 00 09 08 02 0A 00 "
    "00";

std::vector<std::string> Names(TvekMemTable &table)
{
    std::vector<std::string> names;
    for (table.First(); !table.AtEnd(); table.Next()) {
        names.push_back(table.FieldNamed("NAME").AsString());
    }
    return names;
}

using TableFileLoad = TScratchTest;

} // namespace

TEST_F(TableFileLoad, ReadsThatTheSystemInterruptsFailsOrCutsShort)
{
    using S = TReadStep;
    const std::vector<std::string> both = {"Sea View", "Harbour"};
    const std::vector<std::string> first = {"Sea View"};
    struct Case
    {
        const char *name;
        std::vector<TScriptedRead> steps;
        const char *message; // empty: read whole
        std::vector<std::string> names;
        std::size_t stepsLeft = 0; // scripted reads that never come
    };
    const Case cases[] = {
        {"interrupted before the first byte", {{S::Interrupted}}, "", both},
        {"interrupted twice between pieces",
         {{S::Piece, 5}, {S::Interrupted}, {S::Interrupted}, {S::Piece, 40}},
         "",
         both},
        {"a byte at a time", std::vector<TScriptedRead>(74, {S::Piece, 1}), "", both},
        {"failed", {{S::Failed}}, "Stream read error", {}},
        {"failed after a piece", {{S::Piece, 50}, {S::Failed}}, "Stream read error", {}},
        // The file lost its end since its size was taken: it ends inside Harbour.
        {"ended early", {{S::Piece, 50}, {S::Ended}}, "Stream read error", first},
        {"ended early after an interruption",
         {{S::Interrupted}, {S::Piece, 50}, {S::Ended}},
         "Stream read error",
         first},
        {"ended at once", {{S::Ended}}, "", {}},
        // Once the size found at the start is in, no further read is made,
        // so one that would fail then does not matter.
        {"nothing asked after the whole file", {{S::Piece, 74}, {S::Failed}}, "", both, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = PathOf("tHotel.dht");
        Put(path, BytesOf(TwoHotels));
        TvekMemTable hotels("tHotel");
        DefineGameTableFields(hotels, "tHotel");
        hotels.Open();
        std::string error;
        {
            TReadScript script(path, c.steps);
            try {
                hotels.ReadTableFile(path);
            } catch (const std::exception &e) {
                error = e.what();
            }
            EXPECT_EQ(script.StepsLeft(), c.stepsLeft) << "the scripted reads that happened";
            // The buffer holds the 74 bytes the file had when the read began.
            EXPECT_LE(script.FurthestAsked(), 74u) << "no read asks for more than is left";
        }
        EXPECT_EQ(error, c.message);
        EXPECT_EQ(Names(hotels), c.names);
        EXPECT_TRUE(hotels.Active());
    }
}
