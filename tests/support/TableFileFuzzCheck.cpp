#include "TableFileFuzzCheck.h"

#include "model/TableSchemas.h"
#include "store/MemTable.h"
#include "store/TableFile.h"
#include "store/TableStreamError.h"

namespace {

void MakeHotelTable(TvekMemTable &table)
{
    DefineGameTableFields(table, table.Name);
    table.Open();
}

// Field definitions travel along, so that a file that brought its own fields
// reads back into a table of the same layout.
const TvekMemTableSaveFlags RoundTripFlags{sfSaveData, sfSaveDef, sfSaveFieldKind};

} // namespace

std::string CheckTableFileBytes(std::string_view bytes)
{
    TvekMemTable table("tHotel");
    MakeHotelTable(table);
    try {
        TTableFile::Read(table, bytes);
    } catch (const EStreamError &) {
        return {};
    } catch (const EDatabaseError &) {
        return {};
    }
    if (table.NotificationSuspendCount() != 0) {
        return "notices stay suspended after a read";
    }

    const std::string written = TTableFile::Write(table, RoundTripFlags);
    // Fields that a definition made calculated or hidden are not saved, so
    // such a table cannot come back whole.
    for (int index = 0; index < table.FieldCount(); ++index) {
        if (table.Fields(index).FieldKind != fkData || !table.Fields(index).Visible) {
            return {};
        }
    }
    TvekMemTable copy("tHotel");
    MakeHotelTable(copy);
    try {
        TTableFile::Read(copy, written);
    } catch (const std::exception &error) {
        return std::string("a written file does not read back: ") + error.what();
    }
    if (copy.FieldCount() != table.FieldCount() || copy.RawRecordCount() > table.RawRecordCount()) {
        return "a written file reads back with other fields or more records";
    }
    // Records of status 3 are not written; every other one comes back equal,
    // except that a date of day 0 (1899-12-30) comes back null.
    std::size_t copied = 0;
    for (std::size_t record = 0; record < table.RawRecordCount(); ++record) {
        if (table.RawRecordStatus(record) == 3) {
            continue;
        }
        if (copied == copy.RawRecordCount() ||
            copy.RawRecordStatus(copied) != table.RawRecordStatus(record)) {
            return "a written record does not come back";
        }
        for (int field = 0; field < table.FieldCount(); ++field) {
            const TFieldValue before = table.RawValue(record, field);
            const TFieldValue after = copy.RawValue(copied, field);
            const bool zeroDate =
                before == TFieldValue{0.0} && std::holds_alternative<std::monostate>(after);
            if (before != after && !zeroDate) {
                return "field " + std::to_string(field) + " of record " + std::to_string(record) +
                       " comes back changed";
            }
        }
        ++copied;
    }
    if (copied != copy.RawRecordCount()) {
        return "a written file reads back with more records";
    }
    // What was read back writes the same bytes once more.
    const std::string rewritten = TTableFile::Write(copy, RoundTripFlags);
    TvekMemTable again("tHotel");
    MakeHotelTable(again);
    TTableFile::Read(again, rewritten);
    if (TTableFile::Write(again, RoundTripFlags) != rewritten) {
        return "a written file does not write back to the same bytes";
    }
    return {};
}
