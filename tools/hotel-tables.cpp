// hotel-tables: looks into a table file as JSON lines, and writes one from them.
//
//   hotel-tables dump FILE [--schema NAME]    one JSON object per record on stdout
//   hotel-tables write FILE [--schema NAME]   JSON objects, one per line, from stdin
//   hotel-tables write FILE --empty           a table without records
//
// The schema is one of the game's tables (tHotel, tFloor, tRoom, tRooms); by
// default the file's stem names it. Field values are numbers, texts, null, and
// "YYYY-MM-DD" for a DATE. A field a line leaves out takes its default value,
// as when the game appends a record. On any error the table store's message
// goes to stderr, the exit status is 1, and FILE is left as it was. An empty
// input is refused unless --empty asks for an empty table, FILE must be a
// regular file or not yet exist, and a line longer than any record could be is
// refused as soon as it is that long. A table in a folder whose saves a running game holds is
// refused.
#include "model/TableSchemas.h"
#include "store/AtomicFile.h"
#include "store/CodePage.h"
#include "store/MemTable.h"
#include "store/SaveFolderLock.h"
#include "store/TableStreamError.h"

#include <filesystem>
#include <iostream>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

using json = nlohmann::ordered_json;

const char *const Usage = "usage: hotel-tables dump FILE [--schema NAME]\n"
                          "       hotel-tables write FILE [--schema NAME] < RECORDS.jsonl\n"
                          "       hotel-tables write FILE [--schema NAME] --empty\n";

// A record of the game's tables is well under a kilobyte as a JSON line; a line this long is no
// record, and reading it whole would only cost memory.
constexpr std::size_t MaxLineLength = 1024 * 1024;

struct TCommand
{
    std::string verb;
    std::string file;
    std::string schema;
    bool empty = false;
};

// A failure the user caused that is not the table store's: bad arguments or input.
class EToolError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

TCommand ParseArguments(int argc, char **argv)
{
    TCommand command;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--schema" && i + 1 < argc) {
            command.schema = argv[++i];
        } else if (argument.rfind("--schema=", 0) == 0) {
            command.schema = argument.substr(9);
        } else if (argument == "--empty") {
            command.empty = true;
        } else if (command.verb.empty()) {
            command.verb = argument;
        } else if (command.file.empty()) {
            command.file = argument;
        } else {
            throw EToolError(Usage);
        }
    }
    if ((command.verb != "dump" && command.verb != "write") || command.file.empty() ||
        (command.empty && command.verb != "write")) {
        throw EToolError(Usage);
    }
    if (command.schema.empty()) {
        command.schema = std::filesystem::path(command.file).stem().string();
    }
    return command;
}

void DefineTable(TvekMemTable &table)
{
    if (table.Name == "tCurrFloor" || table.Name == "tCurrRoom" ||
        !DefineGameTableFields(table, table.Name)) {
        throw EToolError("No table schema named '" + table.Name +
                         "': use --schema tHotel, tFloor, tRoom or tRooms");
    }
    table.Open();
}

json ValueToJson(const TField &field, const TFieldValue &value)
{
    if (std::holds_alternative<std::monostate>(value)) {
        return nullptr;
    }
    switch (field.DataType()) {
    case ftString:
        return TCodePage::ToUtf8(std::get<std::string>(value));
    case ftDate:
        return FormatShortDate(std::get<double>(value));
    default:
        return std::get<std::int32_t>(value);
    }
}

int Dump(TvekMemTable &table, const std::string &file)
{
    table.ReadTableFile(file);
    for (std::size_t record = 0; record < table.RawRecordCount(); ++record) {
        if (!table.RawRecordVisible(record)) {
            continue;
        }
        json object = json::object();
        for (int index = 0; index < table.FieldCount(); ++index) {
            const TField &field = table.Fields(index);
            object[field.FieldName] = ValueToJson(field, table.RawValue(record, index));
        }
        std::cout << object.dump() << '\n';
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}

// A parser's message names where it stopped and what it read there; a long
// token is cut, so that a bad line never comes back whole.
constexpr std::size_t MaxMessageLength = 160;

std::string Shortened(std::string message)
{
    if (message.size() > MaxMessageLength)
        message = message.substr(0, MaxMessageLength) + "...";
    return message;
}

// One line of input as the fields it names, each with a plain value. Nesting
// is refused where it starts, so no depth of brackets reaches a recursive
// step (the parser itself keeps its place without recursion).
class TRecordLine : public nlohmann::json_sax<json>
{
public:
    std::vector<std::pair<std::string, json>> fields;
    std::string error;

    bool null() override { return Value(nullptr); }
    bool boolean(bool value) override { return Value(value); }
    bool number_integer(number_integer_t value) override { return Value(value); }
    bool number_unsigned(number_unsigned_t value) override { return Value(value); }
    bool number_float(number_float_t value, const string_t &) override { return Value(value); }
    bool string(string_t &value) override { return Value(value); }
    bool binary(binary_t &) override { return Refuse("a text"); }
    bool start_object(std::size_t) override
    {
        if (depth == 0) {
            depth = 1;
            return true;
        }
        return Refuse("an object");
    }
    bool key(string_t &name) override
    {
        field = name;
        return true;
    }
    bool end_object() override
    {
        depth = 0;
        return true;
    }
    bool start_array(std::size_t) override { return Refuse("an array"); }
    bool end_array() override { return true; }
    bool parse_error(std::size_t, const std::string &,
                     const nlohmann::detail::exception &failure) override
    {
        error = Shortened(failure.what());
        return false;
    }

private:
    bool Value(json value)
    {
        if (depth == 0)
            return Refuse("a plain value");
        fields.emplace_back(field, std::move(value));
        return true;
    }
    bool Refuse(const char *what)
    {
        error = depth == 0 ? std::string("a record must be a JSON object")
                           : "field '" + Shortened(field) +
                                 "' takes a number, a text or null, not " + what;
        return false;
    }

    int depth = 0;
    std::string field;
};

// Assigns as the game would: through the field, so the store checks the value.
void AssignJson(TField &field, const json &value)
{
    if (value.is_null()) {
        field.Clear();
    } else if (value.is_string()) {
        const std::string text = value.get<std::string>();
        field.SetAsString(field.DataType() == ftString ? TCodePage::FromUtf8(text) : text);
    } else if (value.is_number_unsigned()) {
        // Read as unsigned so that 2^63 and above are not taken for negatives.
        const std::uint64_t number = value.get<std::uint64_t>();
        if (number <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
            field.SetAsInteger(static_cast<std::int32_t>(number));
        else
            field.SetAsString(std::to_string(number)); // the store refuses it with its message
    } else if (value.is_number_integer()) {
        const std::int64_t number = value.get<std::int64_t>();
        if (number >= std::numeric_limits<std::int32_t>::min() &&
            number <= std::numeric_limits<std::int32_t>::max())
            field.SetAsInteger(static_cast<std::int32_t>(number));
        else
            field.SetAsString(std::to_string(number));
    } else if (value.is_number()) {
        // Fractional: the store refuses it with its own message.
        field.SetAsString(value.dump());
    } else {
        throw EToolError("field '" + field.FieldName + "' takes a number, a text or null, not " +
                         value.dump());
    }
}

void AppendLine(TvekMemTable &table, const std::string &line)
{
    TRecordLine record;
    if (!json::sax_parse(line, &record))
        throw EToolError(record.error.empty() ? "a record must be a JSON object" : record.error);
    table.Append();
    try {
        for (const auto &[name, value] : record.fields) {
            AssignJson(table.FieldNamed(name), value);
        }
        table.Post();
    } catch (...) {
        table.Cancel();
        throw;
    }
}

// Reads one line without its end into line; false at the end of the input. A line that grows
// past MaxLineLength is refused before more of it is read.
bool ReadLine(std::streambuf &input, std::string &line, int number)
{
    line.clear();
    for (;;) {
        const int c = input.sbumpc();
        if (c == std::char_traits<char>::eof())
            return !line.empty();
        if (c == '\n')
            return true;
        if (line.size() == MaxLineLength)
            throw EToolError("line " + std::to_string(number) + ": longer than " +
                             std::to_string(MaxLineLength) + " bytes, which no record is");
        line.push_back(static_cast<char>(c));
    }
}

// The game replaces only regular files; a device, a pipe or a folder under the name is refused
// before anything is read. A game playing the saves of the file's folder would write its own
// tables over the new one at its next save, or play a set mixed from both.
void CheckTarget(const std::string &file)
{
    const std::string folder = std::filesystem::path(file).parent_path().string();
    if (TSaveFolderLock::HeldByAnother(folder.empty() ? "." : folder))
        throw EToolError(file + ": a running game holds the saves of this folder; close the game "
                                "first, then write the table");
    struct stat status
    {
    };
    if (::stat(file.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
        throw EToolError(file + " is not a regular file; hotel-tables writes only table files");
}

int Write(TvekMemTable &table, const std::string &file, bool empty)
{
    CheckTarget(file);
    std::string line;
    int records = 0;
    for (int number = 1; ReadLine(*std::cin.rdbuf(), line, number); ++number) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        if (empty) {
            throw EToolError("line " + std::to_string(number) +
                             ": --empty writes a table without records, but a record was given");
        }
        try {
            AppendLine(table, line);
            ++records;
        } catch (const std::exception &error) {
            throw EToolError("line " + std::to_string(number) + ": " + error.what());
        }
    }
    if (records == 0 && !empty) {
        throw EToolError("no records on standard input; to write a table without records, give "
                         "--empty");
    }
    // As the game's save: every record, with the table's own save flags.
    table.WriteTableFile(file);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    TAtomicFile::IgnoreFileSizeSignal();
    try {
        const TCommand command = ParseArguments(argc, argv);
        TvekMemTable table(command.schema);
        DefineTable(table);
        return command.verb == "dump" ? Dump(table, command.file)
                                      : Write(table, command.file, command.empty);
    } catch (const std::exception &error) {
        std::string message = error.what();
        // The system's own word for a failed write ("File too large", "No space left on device").
        if (const auto *stream = dynamic_cast<const EStreamError *>(&error);
            stream != nullptr && !stream->Reason.empty())
            message += " (" + stream->Reason + ")";
        std::cerr << message;
        if (message.empty() || message.back() != '\n') {
            std::cerr << '\n';
        }
        return 1;
    }
}
