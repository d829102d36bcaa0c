#include "tools/fuzz/TableFileFuzzCheck.h"

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
    if (copy.FieldCount() != table.FieldCount()) {
        return "a written file reads back with other fields";
    }
    if (TTableFile::Write(copy, RoundTripFlags) != written) {
        return "a written file does not write back to the same bytes";
    }
    return {};
}
