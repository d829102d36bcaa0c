// hotel-tables: looks into a table file as JSON lines, and writes one from them.
//
//   hotel-tables dump FILE [--schema NAME]    one JSON object per record on stdout
//   hotel-tables write FILE [--schema NAME]   JSON objects, one per line, from stdin
//
// The schema is one of the game's tables (tHotel, tFloor, tRoom, tRooms); by
// default the file's stem names it. Field values are numbers, texts, null, and
// "YYYY-MM-DD" for a DATE. A field a line leaves out takes its default value,
// as when the game appends a record. On any error the table store's message
// goes to stderr, the exit status is 1, and FILE is left as it was.
#include "model/TableSchemas.h"
#include "store/CodePage.h"
#include "store/MemTable.h"

#include <filesystem>
#include <iostream>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

namespace {

using json = nlohmann::ordered_json;

const char *const Usage = "usage: hotel-tables dump FILE [--schema NAME]\n"
                          "       hotel-tables write FILE [--schema NAME] < RECORDS.jsonl\n";

struct TCommand
{
    std::string verb;
    std::string file;
    std::string schema;
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
        } else if (command.verb.empty()) {
            command.verb = argument;
        } else if (command.file.empty()) {
            command.file = argument;
        } else {
            throw EToolError(Usage);
        }
    }
    if ((command.verb != "dump" && command.verb != "write") || command.file.empty()) {
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

// Assigns as the game would: through the field, so the store checks the value.
void AssignJson(TField &field, const json &value)
{
    if (value.is_null()) {
        field.Clear();
    } else if (value.is_string()) {
        const std::string text = value.get<std::string>();
        field.SetAsString(field.DataType() == ftString ? TCodePage::FromUtf8(text) : text);
    } else if (value.is_number_integer() &&
               value.get<std::int64_t>() >= std::numeric_limits<std::int32_t>::min() &&
               value.get<std::int64_t>() <= std::numeric_limits<std::int32_t>::max()) {
        field.SetAsInteger(static_cast<std::int32_t>(value.get<std::int64_t>()));
    } else if (value.is_number()) {
        // Out of range or fractional: the store refuses it with its own message.
        field.SetAsString(value.dump());
    } else {
        throw EToolError("field '" + field.FieldName + "' takes a number, a text or null, not " +
                         value.dump());
    }
}

void AppendLine(TvekMemTable &table, const std::string &line)
{
    const json object = json::parse(line);
    if (!object.is_object()) {
        throw EToolError("a record must be a JSON object");
    }
    table.Append();
    try {
        for (const auto &[name, value] : object.items()) {
            AssignJson(table.FieldNamed(name), value);
        }
        table.Post();
    } catch (...) {
        table.Cancel();
        throw;
    }
}

int Write(TvekMemTable &table, const std::string &file)
{
    std::string line;
    for (int number = 1; std::getline(std::cin, line); ++number) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        try {
            AppendLine(table, line);
        } catch (const std::exception &error) {
            throw EToolError("line " + std::to_string(number) + ": " + error.what());
        }
    }
    if (std::cin.bad()) {
        throw EToolError("cannot read standard input");
    }
    // As the game's save: every record, with the table's own save flags.
    table.WriteTableFile(file);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        const TCommand command = ParseArguments(argc, argv);
        TvekMemTable table(command.schema);
        DefineTable(table);
        return command.verb == "dump" ? Dump(table, command.file) : Write(table, command.file);
    } catch (const std::exception &error) {
        std::cerr << error.what();
        const std::string message = error.what();
        if (message.empty() || message.back() != '\n') {
            std::cerr << '\n';
        }
        return 1;
    }
}
