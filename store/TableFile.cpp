#include "store/TableFile.h"

#include "store/AtomicFile.h"
#include "store/CustomMemTable.h"
#include "store/MemTableError.h"
#include "store/NoticeHold.h"
#include "store/TableStreamError.h"
#include "store/TableStreamReader.h"
#include "store/TableStreamWriter.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Indexed by TFieldType.
constexpr std::array<const char *, 38> FieldTypeNames = {
    "Unknown",     "String",       "SmallInt",   "Integer",    "Word",     "Boolean",    "Float",
    "Currency",    "BCD",          "Date",       "Time",       "DateTime", "Bytes",      "VarBytes",
    "AutoInc",     "Blob",         "Memo",       "Graphic",    "FmtMemo",  "ParadoxOle", "dBaseOle",
    "TypedBinary", "Cursor",       "FixedChar",  "WideString", "LargeInt", "ADT",        "Array",
    "Reference",   "DataSet",      "OraBlob",    "OraClob",    "Variant",  "Interface",  "Dispatch",
    "Guid",        "SQLTimeStamp", "FMTBcdField"};
static_assert(FieldTypeNames.size() == ftFMTBcd + 1);

// Indexed by TFieldKind.
constexpr std::array<const char *, 5> FieldKindNames = {"Data", "Calculated", "Lookup",
                                                        "InternalCalc", "Aggregate"};

// The format versions from which a part of the file is present.
constexpr int IndexDefsSince = 200;
constexpr int RecordListsSince = 230;
constexpr int NullFlagsSince = 249;
constexpr int FieldKindsSince = 250;
constexpr int DefaultExpressionsSince = 251;
// A record entry of this status is kept but never visible, and never written.
constexpr std::int32_t DeletedStatus = 3;

[[noreturn]] void UnknownFieldType(const std::string &typeName)
{
    throw EMemTableError("Unknown field type (" + typeName + ")");
}

class TTableFileReader
{
public:
    TTableFileReader(TvekCustomMemTable &table, std::string_view bytes)
        : table_(table), stream_(bytes)
    {
    }

    void Run()
    {
        stream_.ReadSignature();
        version_ = stream_.NextValue() == TagList ? 100 : stream_.ReadInteger();
        ReadFieldDefs();
        if (version_ >= IndexDefsSince) {
            ReadIndexDefs();
        }
        table_.RawResetAutoIncCounter();
        ReadRecords();
    }

    // The fields are gone once a field definition list began to apply; the
    // table is opened again when enough of the list arrived to make fields.
    void ReopenAfterFailedFieldDefs() noexcept
    {
        if (!fieldsReplaced_ || table_.Active() || table_.FieldCount() == 0) {
            return;
        }
        try {
            table_.Open();
        } catch (...) {
            // The reader's own error is the one to report.
        }
    }

private:
    void ReadFieldDefs()
    {
        stream_.ReadListBegin();
        while (!stream_.EndOfList()) {
            const std::string name = stream_.ReadString();
            const std::string typeName = stream_.ReadString();
            const std::int32_t size = stream_.ReadInteger();
            std::string displayLabel = stream_.ReadString();
            std::string editMask = stream_.ReadString();
            const std::int32_t displayWidth = stream_.ReadInteger();
            const bool required = stream_.ReadBoolean();
            const bool readOnly = stream_.ReadBoolean();
            const TFieldKind kind = version_ >= FieldKindsSince ? ReadFieldKind() : fkData;
            std::string defaultExpression =
                version_ >= DefaultExpressionsSince ? stream_.ReadString() : std::string();

            if (!fieldsReplaced_) {
                table_.Close();
                table_.ClearFields();
                fieldsReplaced_ = true;
            }
            TField *field = nullptr;
            for (std::size_t type = 0; type < FieldTypeNames.size(); ++type) {
                if (typeName == FieldTypeNames[type]) {
                    field = table_.AddFieldOfType(static_cast<TFieldType>(type), name, size);
                    if (field == nullptr) {
                        UnknownFieldType(typeName);
                    }
                }
            }
            if (field == nullptr) {
                UnknownFieldType(typeName);
            }
            field->DisplayLabel = std::move(displayLabel);
            field->EditMask = std::move(editMask);
            field->DisplayWidth = displayWidth;
            field->Required = required;
            field->ReadOnly = readOnly;
            field->FieldKind = kind;
            field->DefaultExpression = std::move(defaultExpression);
        }
        stream_.ReadListEnd();
        if (fieldsReplaced_) {
            table_.Open();
        }
    }

    TFieldKind ReadFieldKind()
    {
        const std::string name = stream_.ReadString();
        for (std::size_t kind = 0; kind < FieldKindNames.size(); ++kind) {
            if (name == FieldKindNames[kind]) {
                return static_cast<TFieldKind>(kind);
            }
        }
        TTableStreamReader::PropertyValueError();
    }

    // The program defines no index and keeps table order, so index definitions
    // are checked for their form and otherwise passed over.
    void ReadIndexDefs()
    {
        stream_.ReadListBegin();
        while (!stream_.EndOfList()) {
            for (int text = 0; text < 3; ++text) {
                stream_.ReadString();
            }
            for (int flag = 0; flag < 4; ++flag) {
                stream_.ReadBoolean();
            }
        }
        stream_.ReadListEnd();
    }

    void ReadRecords()
    {
        const int fieldCount = table_.FieldCount();
        types_.clear();
        for (int index = 0; index < fieldCount; ++index) {
            types_.push_back(table_.Fields(index).DataType());
        }
        std::vector<TFieldValue> values(static_cast<std::size_t>(fieldCount));
        stream_.ReadListBegin();
        // Room for as many records as the bytes left could hold at the least.
        const std::size_t smallestRecord =
            (version_ >= RecordListsSince ? 4 : 0) +
            static_cast<std::size_t>(fieldCount) * (version_ >= NullFlagsSince ? 1 : 2);
        table_.RawReserve(table_.RawRecordCount() +
                          stream_.BytesLeft() / std::max<std::size_t>(smallestRecord, 1));
        if (table_.Active() && version_ >= NullFlagsSince) {
            ReadRecordsInBulk(values);
        } else {
            ReadRecordsOneByOne(values);
        }
        stream_.ReadListEnd();
    }

    // Older formats, and a closed table, which refuses the first record.
    void ReadRecordsOneByOne(std::vector<TFieldValue> &values)
    {
        std::vector<TFieldValue> olderVersion(values.size());
        while (!stream_.EndOfList()) {
            const std::size_t start = stream_.Position();
            std::int32_t status = 0;
            if (version_ >= RecordListsSince) {
                stream_.ReadListBegin();
                status = stream_.ReadInteger();
            }
            ReadValues(values);
            if (version_ >= RecordListsSince) {
                SkipOlderVersions(olderVersion);
            } else if (stream_.Position() == start) {
                // A table without fields would take no byte per record forever.
                TTableStreamReader::PropertyValueError();
            }
            table_.RawAppendRecord(values, status);
        }
    }

    // Older versions of the record follow its values; the table keeps none.
    void SkipOlderVersions(std::vector<TFieldValue> &olderVersion)
    {
        while (!stream_.EndOfList()) {
            stream_.ReadInteger();
            ReadValues(olderVersion);
        }
        stream_.ReadListEnd();
    }

    // Records with null flags into an open table, written straight into its
    // columns. Large files hold millions of integer values, so a record of
    // integer fields only is first taken by a loop that reads the bytes in
    // place and leaves at the first thing out of the ordinary (a value
    // without an integer tag, older versions, the end of the bytes); that
    // record is then read again by the checked reader, which reports what is
    // wrong exactly as it always did.
    void ReadRecordsInBulk(std::vector<TFieldValue> &values)
    {
        TvekCustomMemTable::TRawBulkAppend bulk(table_);
        std::vector<TFieldValue> olderVersion(values.size());
        const std::size_t count = values.size();
        const bool integersOnly = std::all_of(types_.begin(), types_.end(), IsIntegerType);
        std::vector<std::uint8_t *> nulls(count);
        std::vector<std::int32_t *> integers(count);
        // The longest a record of integers can be: list tag, status, a flag
        // and an int32 per field, end of list.
        const std::size_t longestRecord = 1 + 5 + count * 6 + 1;
        const std::string_view bytes = stream_.Bytes();
        const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.data());
        TScratch scratch(integersOnly ? count : 0);
        for (;;) {
            const std::size_t room = bulk.MakeRoom(4096);
            std::int32_t *statuses = bulk.Statuses();
            for (std::size_t index = 0; index < count; ++index) {
                nulls[index] = bulk.Nulls(static_cast<int>(index));
                integers[index] =
                    IsIntegerType(types_[index]) ? bulk.Integers(static_cast<int>(index)) : nullptr;
            }
            const std::size_t last = bulk.Next() + room;
            while (bulk.Next() < last) {
                if (integersOnly) {
                    // Whole records in place while the longest one still fits,
                    // a batch at a time through a scratch that stays in the
                    // cache: the columns then get one run of values each.
                    const std::size_t start = stream_.Position();
                    const std::size_t limit =
                        bytes.size() >= longestRecord ? bytes.size() - longestRecord : 0;
                    const std::uint8_t *at = data + start;
                    std::size_t taken = bulk.Next();
                    bool whole = bytes.size() >= longestRecord;
                    while (whole && taken < last) {
                        const std::size_t batch = std::min(BatchSize, last - taken);
                        std::size_t filled = 0;
                        while (filled < batch && static_cast<std::size_t>(at - data) <= limit &&
                               ReadIntegerRecord(at, scratch.statuses.data() + filled,
                                                 scratch.nullValues.data() + filled,
                                                 scratch.integerValues.data() + filled, count)) {
                            ++filled;
                        }
                        scratch.CopyTo(filled, statuses + taken, nulls.data(), integers.data(),
                                       taken);
                        taken += filled;
                        whole = filled == batch;
                    }
                    stream_.Skip(static_cast<std::size_t>(at - (data + start)));
                    bulk.Keep(taken - bulk.Next());
                    if (taken == last) {
                        continue;
                    }
                }
                if (stream_.EndOfList()) {
                    return;
                }
                const std::size_t record = bulk.Next();
                stream_.ReadListBegin();
                statuses[record] = stream_.ReadInteger();
                for (std::size_t index = 0; index < count; ++index) {
                    if (integers[index] != nullptr) {
                        std::int32_t number = 0;
                        if (stream_.ReadIntegerGroup(number)) {
                            nulls[index][record] = 0;
                            integers[index][record] = number;
                        } else {
                            nulls[index][record] = 1;
                            integers[index][record] = 0;
                        }
                    } else {
                        ReadOtherValue(index, values[index]);
                    }
                }
                SkipOlderVersions(olderVersion);
                if (!integersOnly) {
                    for (std::size_t index = 0; index < count; ++index) {
                        if (integers[index] == nullptr) {
                            bulk.Put(static_cast<int>(index), values[index]);
                        }
                    }
                }
                bulk.Keep();
            }
        }
    }

    static constexpr std::size_t BatchSize = 256;

    // A batch of integer records, column by column.
    struct TScratch
    {
        explicit TScratch(std::size_t count)
            : statuses(BatchSize), nullValues(count * BatchSize), integerValues(count * BatchSize),
              nulls(count), integers(count)
        {
            for (std::size_t index = 0; index < count; ++index) {
                nulls[index] = nullValues.data() + index * BatchSize;
                integers[index] = integerValues.data() + index * BatchSize;
            }
        }
        void CopyTo(std::size_t records, std::int32_t *statusesTo, std::uint8_t *const *nullsTo,
                    std::int32_t *const *integersTo, std::size_t record) const
        {
            if (records == 0) {
                return;
            }
            std::copy_n(statuses.data(), records, statusesTo);
            for (std::size_t index = 0; index < nulls.size(); ++index) {
                std::copy_n(nulls[index], records, nullsTo[index] + record);
                std::copy_n(integers[index], records, integersTo[index] + record);
            }
        }

        std::vector<std::int32_t> statuses;
        std::vector<std::uint8_t> nullValues;
        std::vector<std::int32_t> integerValues;
        std::vector<std::uint8_t *> nulls;
        std::vector<std::int32_t *> integers;
    };

    static bool IsIntegerType(TFieldType type) { return type == ftInteger || type == ftAutoInc; }

    // One integer value in place: `at` is on its tag, with at least five bytes
    // from there. False, moving nothing, for a tag that is no integer's.
    static bool TakeInteger(const std::uint8_t *&at, std::int32_t &value)
    {
        if (at[0] == TagInt8) {
            value = static_cast<std::int8_t>(at[1]);
            at += 2;
            return true;
        }
        if (at[0] == TagInt16) {
            value = static_cast<std::int16_t>(at[1] | at[2] << 8);
            at += 3;
            return true;
        }
        if (at[0] == TagInt32) {
            value =
                static_cast<std::int32_t>(std::uint32_t{at[1]} | std::uint32_t{at[2]} << 8 |
                                          std::uint32_t{at[3]} << 16 | std::uint32_t{at[4]} << 24);
            at += 5;
            return true;
        }
        return false;
    }

    // A record of integer fields without older versions, read in place from
    // `at`, which has the longest such record's bytes after it, into a batch
    // of the scratch: the values of field i go BatchSize places after those of
    // field i - 1. Moves `at` past the record and returns true; false for
    // anything else, with the values written so far to be written again.
    static bool ReadIntegerRecord(const std::uint8_t *&at, std::int32_t *status,
                                  std::uint8_t *nulls, std::int32_t *integers, std::size_t count)
    {
        const std::uint8_t *p = at;
        if (*p != TagList) {
            return false;
        }
        ++p;
        if (!TakeInteger(p, *status)) {
            return false;
        }
        for (std::size_t index = 0; index < count; ++index) {
            std::int32_t number = 0;
            std::uint8_t null = 0;
            // Most values are small numbers after a false flag.
            if (p[0] == TagFalse && p[1] == TagInt8) {
                number = static_cast<std::int8_t>(p[2]);
                p += 3;
            } else if (p[0] == TagTrue) {
                null = 1;
                ++p;
            } else {
                ++p;
                if (!TakeInteger(p, number)) {
                    return false;
                }
            }
            nulls[index * BatchSize] = null;
            integers[index * BatchSize] = number;
        }
        if (*p != TagNull) {
            return false;
        }
        at = p + 1;
        return true;
    }

    void ReadValues(std::vector<TFieldValue> &values)
    {
        const bool nullFlags = version_ >= NullFlagsSince;
        const std::size_t count = values.size();
        for (std::size_t index = 0; index < count; ++index) {
            TFieldValue &value = values[index];
            const bool integer = IsIntegerType(types_[index]);
            if (nullFlags && integer) {
                // Storing into the integer the slot already holds keeps the
                // loop over a large file free of variant bookkeeping.
                std::int32_t number = 0;
                if (!stream_.ReadIntegerGroup(number)) {
                    value = std::monostate{};
                } else if (auto *slot = std::get_if<std::int32_t>(&value)) {
                    *slot = number;
                } else {
                    value = number;
                }
                continue;
            }
            if (nullFlags && stream_.ReadBoolean()) {
                value = std::monostate{};
                continue;
            }
            ReadNonNullValue(index, value);
        }
    }

    // A value with null flags of a field that is not an integer.
    void ReadOtherValue(std::size_t index, TFieldValue &value)
    {
        if (stream_.ReadBoolean()) {
            value = std::monostate{};
        } else {
            ReadNonNullValue(index, value);
        }
    }

    void ReadNonNullValue(std::size_t index, TFieldValue &value)
    {
        switch (types_[index]) {
        case ftInteger:
        case ftAutoInc:
            value = stream_.ReadInteger();
            break;
        case ftString:
            value = stream_.ReadString();
            break;
        case ftDate:
            value = ReadDate(table_.Fields(static_cast<int>(index)));
            break;
        default:
            UnknownFieldType(FieldTypeNames.at(static_cast<std::size_t>(types_[index])));
        }
    }

    TFieldValue ReadDate(const TField &field)
    {
        const double dateTime = stream_.ReadFloat();
        if (dateTime == 0.0) {
            return std::monostate{};
        }
        // A number that is no day the field can keep is a damaged value.
        if (!std::isfinite(dateTime)) {
            TTableStreamReader::PropertyValueError();
        }
        try {
            return field.FromDateTime(dateTime);
        } catch (const EDatabaseError &) {
            TTableStreamReader::PropertyValueError();
        }
    }

    TvekCustomMemTable &table_;
    TTableStreamReader stream_;
    std::vector<TFieldType> types_;
    int version_ = 0;
    bool fieldsReplaced_ = false;
};

class TTableFileWriter
{
public:
    TTableFileWriter(TvekCustomMemTable &table, TvekMemTableSaveFlags flags,
                     bool everyRecord = false)
        : table_(table), flags_(flags), everyRecord_(everyRecord)
    {
        for (int index = 0; index < table.FieldCount(); ++index) {
            if (IsSaved(table.Fields(index))) {
                fields_.push_back(static_cast<std::size_t>(index));
                types_.push_back(table.Fields(index).DataType());
            }
        }
    }

    // The writer's own buffer, valid while the writer lives.
    std::string_view Run()
    {
        stream_.Reserve(64 + table_.RawRecordCount() * (3 + fields_.size() * 6));
        stream_.WriteSignature();
        stream_.WriteInteger(TTableFile::Version);
        WriteFieldDefs();
        // The tables define no index, so the list stays empty even when asked for.
        stream_.WriteListBegin();
        stream_.WriteListEnd();
        WriteRecords();
        return stream_.Bytes();
    }

private:
    bool IsSaved(const TField &field) const
    {
        if (!field.Visible && !flags_.Contains(sfSaveNonVisible)) {
            return false;
        }
        switch (field.FieldKind) {
        case fkData:
            return flags_.Contains(sfSaveData);
        case fkCalculated:
        case fkInternalCalc:
            return flags_.Contains(sfSaveCalculated);
        case fkLookup:
            return flags_.Contains(sfSaveLookup);
        default:
            return false;
        }
    }

    void WriteFieldDefs()
    {
        stream_.WriteListBegin();
        if (flags_.Contains(sfSaveDef)) {
            for (std::size_t index : fields_) {
                const TField &field = table_.Fields(static_cast<int>(index));
                stream_.WriteString(field.FieldName);
                stream_.WriteString(FieldTypeNames.at(static_cast<std::size_t>(field.DataType())));
                stream_.WriteInteger(field.Size);
                stream_.WriteString(field.DisplayLabel);
                stream_.WriteString(field.EditMask);
                stream_.WriteInteger(field.DisplayWidth);
                stream_.WriteBoolean(field.Required);
                stream_.WriteBoolean(field.ReadOnly);
                stream_.WriteString(
                    flags_.Contains(sfSaveFieldKind)
                        ? FieldKindNames.at(static_cast<std::size_t>(field.FieldKind))
                        : "Data");
                stream_.WriteString(field.DefaultExpression);
            }
        }
        stream_.WriteListEnd();
    }

    void WriteRecords()
    {
        stream_.WriteListBegin();
        const TRecordStore &records = table_.RawRecords();
        const std::size_t count = table_.Active() ? records.Count() : 0;
        for (std::size_t record = 0; record < count; ++record) {
            const std::int32_t status = records.Status(record);
            if (status == DeletedStatus || (!everyRecord_ && !table_.RawRecordVisible(record))) {
                continue;
            }
            stream_.WriteListBegin();
            stream_.WriteInteger(status);
            for (std::size_t saved = 0; saved < fields_.size(); ++saved) {
                WriteValue(records, record, fields_[saved], types_[saved]);
            }
            stream_.WriteListEnd();
        }
        stream_.WriteListEnd();
    }

    void WriteValue(const TRecordStore &records, std::size_t record, std::size_t column,
                    TFieldType type)
    {
        if (records.IsNull(record, column)) {
            stream_.WriteBoolean(true);
            return;
        }
        stream_.WriteBoolean(false);
        switch (type) {
        case ftInteger:
        case ftAutoInc:
            stream_.WriteInteger(records.Integer(record, column));
            break;
        case ftString:
            stream_.WriteString(records.Text(record, column));
            break;
        case ftDate:
            stream_.WriteFloat(records.Date(record, column));
            break;
        default:
            UnknownFieldType(FieldTypeNames.at(static_cast<std::size_t>(type)));
        }
    }

    TvekCustomMemTable &table_;
    TvekMemTableSaveFlags flags_;
    bool everyRecord_;
    std::vector<std::size_t> fields_;
    std::vector<TFieldType> types_;
    TTableStreamWriter stream_;
};

// The steps of a read or a write. A step that fails (a change handler may throw
// from almost any of them) stops the work but not the tidying: every tidying step
// runs, and the first error is raised by Finish once they all have.
class TStepRun
{
public:
    template <typename F> void Work(F step)
    {
        if (!error_) {
            Keep(step);
        }
    }
    template <typename F> void Tidy(F step) { Keep(step); }
    void Finish()
    {
        if (error_) {
            std::rethrow_exception(error_);
        }
    }

private:
    template <typename F> void Keep(F step)
    {
        try {
            step();
        } catch (...) {
            if (!error_) {
                error_ = std::current_exception();
            }
        }
    }

    std::exception_ptr error_;
};

} // namespace

TTableFile::TFileBytes TTableFile::LoadBytes(const std::string &fileName)
{
    const int handle = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle < 0) {
        throw EFOpenError(fileName);
    }
    struct TCloser
    {
        int handle;
        ~TCloser() { ::close(handle); }
    } closer{handle};
    struct stat info
    {
    };
    if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode)) {
        throw EFOpenError(fileName);
    }
    // The whole file is read at once, so a writer that replaces it meanwhile
    // (by renaming a new file over it) cannot mix two versions.
    TFileBytes bytes;
    bytes.size = static_cast<std::size_t>(info.st_size);
    bytes.data.reset(new char[bytes.size]);
    std::size_t done = 0;
    while (done < bytes.size) {
        const ssize_t got = ::read(handle, bytes.data.get() + done, bytes.size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw EReadError("Stream read error");
        }
        if (got == 0) {
            bytes.size = done;
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}

void TTableFile::Read(TvekCustomMemTable &table, std::string_view bytes)
{
    TStepRun run;
    TNoticeHold hold(table);
    TTableFileReader reader(table, bytes);
    if (!bytes.empty()) {
        run.Work([&] { reader.Run(); });
    }
    run.Tidy([&] { reader.ReopenAfterFailedFieldDefs(); });
    run.Tidy([&] { hold.Release(); });
    run.Tidy([&] { table.RawResync(); });
    run.Finish();
}

namespace {

// Leaves the edit state, switches the filter off when the flags say so, and hands
// the bytes to `consume` while notices are held back; the filter comes back and the
// notices resume however that ends.
template <typename Consume>
void WriteTable(TvekCustomMemTable &table, TvekMemTableSaveFlags saveFlags, Consume consume)
{
    table.CheckBrowseMode();
    const bool wasFiltered = table.Filtered();
    TStepRun run;
    if (saveFlags.Contains(sfSaveFiltered) && wasFiltered) {
        run.Work([&] { table.SetFiltered(false); });
    }
    TNoticeHold hold(table);
    run.Work([&] {
        TTableFileWriter writer(table, saveFlags);
        consume(writer.Run());
    });
    run.Tidy([&] { table.SetFiltered(wasFiltered); });
    run.Tidy([&] { hold.Release(); });
    run.Finish();
}

} // namespace

std::string TTableFile::Write(TvekCustomMemTable &table, TvekMemTableSaveFlags saveFlags)
{
    std::string bytes;
    WriteTable(table, saveFlags, [&](std::string_view written) { bytes = written; });
    return bytes;
}

std::string TTableFile::WriteEveryRecord(TvekCustomMemTable &table, TvekMemTableSaveFlags saveFlags)
{
    TTableFileWriter writer(table, saveFlags, true);
    return std::string(writer.Run());
}

void TvekCustomMemTable::ReadTableFile(const std::string &fileName)
{
    const TTableFile::TFileBytes bytes = TTableFile::LoadBytes(fileName);
    TTableFile::Read(*this, bytes.View());
}

void TvekCustomMemTable::WriteTableFile(const std::string &fileName,
                                        TvekMemTableSaveFlags saveFlags)
{
    TAtomicFile file(fileName);
    if (saveFlags.Contains(sfSaveAppend)) {
        // Appending keeps what the file held; the replacement stays atomic.
        try {
            const TTableFile::TFileBytes old = TTableFile::LoadBytes(fileName);
            file.Write(old.data.get(), old.size);
        } catch (const EFOpenError &) {
            // No file yet: the stream starts a new one.
        }
    }
    WriteTable(*this, saveFlags,
               [&](std::string_view bytes) { file.Write(bytes.data(), bytes.size()); });
    file.Commit();
}
