#include "store/CustomMemTable.h"

#include "store/AutoIncField.h"
#include "store/DataSource.h"
#include "store/DatabaseError.h"
#include "store/DateField.h"
#include "store/IntegerField.h"
#include "store/MemTableError.h"
#include "store/StringField.h"

#include <algorithm>
#include <limits>
#include <typeinfo>

namespace {

// Status of a record that was removed in a versioned table: kept, never shown.
constexpr std::int32_t DeletedStatus = 3;

std::string Trim(const std::string &text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return text.substr(begin, end - begin);
}

TRecordStore::Kind StorageKind(TFieldType type)
{
    switch (type) {
    case ftString:
    case ftFixedChar:
    case ftWideString:
        return TRecordStore::Kind::Text;
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftFloat:
        return TRecordStore::Kind::Date;
    default:
        return TRecordStore::Kind::Integer;
    }
}

} // namespace

TvekCustomMemTable::TvekCustomMemTable(std::string name) : TDataSet(std::move(name)) {}

// ---- Filter ----

void TvekCustomMemTable::SetFilter(const std::string &text)
{
    if (!Active()) {
        filterText_ = text; // parsed when the table opens
        return;
    }
    // Parsed before it is stored, so that a bad text keeps the filter in force.
    TFilterExpression parsed = TFilterExpression::Parse(Trim(text), *this);
    filterText_ = text;
    filter_ = parsed;
    InvalidateView();
    if (filtered_)
        First();
}

void TvekCustomMemTable::SetFiltered(bool filtered)
{
    // An open table's filter text is always parsed: on opening and on every change.
    filtered_ = filtered;
    InvalidateView();
    if (Active())
        First();
}

void TvekCustomMemTable::ParseFilter()
{
    filter_ = TFilterExpression::Parse(Trim(filterText_), *this);
    InvalidateView();
}

// ---- Locate ----

bool TvekCustomMemTable::Locate(const std::string &keyFields, const TVariant &keyValues)
{
    CheckActive();
    Run(BeforeScroll);
    CheckBrowseMode();

    std::vector<TField *> keys;
    std::size_t start = 0;
    while (start <= keyFields.size()) {
        std::size_t end = keyFields.find(';', start);
        if (end == std::string::npos)
            end = keyFields.size();
        const std::string name = Trim(keyFields.substr(start, end - start));
        if (!name.empty()) {
            TField &field = FieldNamed(name);
            if (field.FieldKind != fkData ||
                (field.DataType() != ftInteger && field.DataType() != ftAutoInc &&
                 field.DataType() != ftString && field.DataType() != ftDate))
                throw EDatabaseError("Can't index on field " + field.FieldName);
            keys.push_back(&field);
        }
        start = end + 1;
    }

    if (keyValues.IsList())
        for (const TVariant &element : keyValues.AsList())
            if (element.IsList())
                throw EMemTableError("Values variant array has invalid dimension count");
    if (keys.empty())
        throw EMemTableError("There must be at least one field");
    if ((!keyValues.IsList() && keys.size() > 1) ||
        (keyValues.IsList() && keyValues.AsList().size() < keys.size()))
        throw EMemTableError("More fields than values");

    std::vector<TFieldValue> values(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const TVariant &key = keyValues.IsList() ? keyValues.AsList()[i] : keyValues;
        const TField &field = *keys[i];
        const TVariant::Storage &data = key.Data();
        if (const auto *integer = std::get_if<std::int64_t>(&data)) {
            if (*integer >= std::numeric_limits<std::int32_t>::min() &&
                *integer <= std::numeric_limits<std::int32_t>::max())
                values[i] = field.FromInteger(static_cast<std::int32_t>(*integer));
            else
                values[i] = field.FromText(std::to_string(*integer));
        } else if (const auto *number = std::get_if<double>(&data)) {
            values[i] = field.FromDateTime(*number);
        } else if (const auto *text = std::get_if<std::string>(&data)) {
            values[i] = field.FromText(*text);
        }
    }

    const auto matches = [&](std::size_t record) {
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (!records_.Equals(record, static_cast<std::size_t>(keys[i]->Index()), values[i]))
                return false;
        return true;
    };
    std::size_t found = npos;
    if (UsesViewIndex()) {
        for (const std::size_t record : View())
            if (matches(record)) {
                found = record;
                break;
            }
    } else {
        const std::size_t count = records_.Count();
        for (std::size_t record = 0; record < count && found == npos; ++record)
            if (InternalRecordVisible(record) && matches(record))
                found = record;
    }
    if (found == npos)
        return false;
    MakeCurrent(found);
    DataEvent(nkDataSetChange);
    Run(AfterScroll);
    return true;
}

// ---- CopyRecordsFrom ----

int TvekCustomMemTable::CopyRecordsFrom(TvekCustomMemTable *source, int limit)
{
    if (source == nullptr || source == this)
        return 0;
    struct Mapping
    {
        TField *target;
        TField *source;
        bool sameClass;
    };
    std::vector<Mapping> map;
    for (int i = 0; i < FieldCount(); ++i) {
        TField &target = Fields(i);
        if (target.FieldKind != fkData || target.DataType() == ftAutoInc)
            continue;
        if (TField *from = source->FindField(target.FieldName))
            map.push_back({&target, from, typeid(target) == typeid(*from)});
    }
    int count = 0;
    while (!source->AtEnd()) {
        Append();
        for (const Mapping &m : map) {
            if (m.sameClass)
                m.target->SetValue(m.source->Value());
            else
                m.target->SetAsString(m.source->AsString());
        }
        Post();
        source->Next();
        ++count;
        if (limit > 0 && count >= limit)
            break;
    }
    return count;
}

// ---- Raw record access ----

bool TvekCustomMemTable::RawRecordVisible(std::size_t record) const
{
    return InternalRecordVisible(record);
}

TFieldValue TvekCustomMemTable::RawValue(std::size_t record, int field) const
{
    return records_.Value(record, static_cast<std::size_t>(field));
}

void TvekCustomMemTable::RawAppendRecord(std::span<const TFieldValue> values, std::int32_t status)
{
    CheckActive();
    if (values.size() != static_cast<std::size_t>(FieldCount()))
        throw EDatabaseError(WithName("A record of " + std::to_string(values.size()) +
                                      " values does not fit " + std::to_string(FieldCount()) +
                                      " fields"));
    // A file read adds hundreds of thousands of records: values already in
    // their stored form go straight into the columns, only the others are
    // converted by their field.
    const std::size_t record = records_.AppendNull(status);
    try {
        for (std::size_t column = 0; column < values.size(); ++column) {
            const TFieldValue &value = values[column];
            if (std::holds_alternative<std::monostate>(value))
                continue;
            const auto *integer = std::get_if<std::int32_t>(&value);
            if (integer != nullptr && records_.ColumnKind(column) == TRecordStore::Kind::Integer)
                records_.PutInteger(record, column, *integer);
            else
                records_.Put(record, column, Fields(static_cast<int>(column)).Normalize(value));
        }
    } catch (...) {
        records_.Erase(record);
        throw;
    }
    if (autoIncField_ >= 0 && !records_.IsNull(record, static_cast<std::size_t>(autoIncField_)))
        RaiseCounter(records_.Integer(record, static_cast<std::size_t>(autoIncField_)));
    ViewRecordAdded(record);
}

TvekCustomMemTable::TRawBulkAppend::TRawBulkAppend(TvekCustomMemTable &table)
    : table_(table), records_(table.records_), next_(table.records_.Count())
{
    table.CheckActive();
}

std::size_t TvekCustomMemTable::TRawBulkAppend::MakeRoom(std::size_t records)
{
    const std::size_t room = records_.Count() - next_;
    if (room < records)
        records_.Extend(records - room);
    return records_.Count() - next_;
}

void TvekCustomMemTable::TRawBulkAppend::Put(int field, const TFieldValue &value)
{
    const std::size_t column = Column(field);
    if (std::holds_alternative<std::monostate>(value)) {
        records_.PutNull(next_, column);
        return;
    }
    const auto *integer = std::get_if<std::int32_t>(&value);
    if (integer != nullptr && records_.ColumnKind(column) == TRecordStore::Kind::Integer)
        records_.PutInteger(next_, column, *integer);
    else
        records_.Put(next_, column, table_.Fields(field).Normalize(value));
}

void TvekCustomMemTable::RawReserve(std::size_t records)
{
    records_.Reserve(records);
}

void TvekCustomMemTable::RawResetAutoIncCounter()
{
    autoIncCounter_ = static_cast<std::int32_t>(std::int64_t{AutoIncMinValue} - 1);
}

void TvekCustomMemTable::RawResync()
{
    if (!Active())
        return;
    Resync(ResyncMode::KeepCurrent);
}

TField *TvekCustomMemTable::AddFieldOfType(TFieldType type, const std::string &fieldName, int size)
{
    switch (type) {
    case ftInteger:
        return &AddField<TIntegerField>(fieldName);
    case ftAutoInc:
        return &AddField<TAutoIncField>(fieldName);
    case ftString:
        return &AddField<TStringField>(fieldName, size);
    case ftDate:
        return &AddField<TDateField>(fieldName);
    default:
        return nullptr;
    }
}

// ---- Storage ----

void TvekCustomMemTable::InternalPrepareOpen()
{
    ParseFilter();
}

void TvekCustomMemTable::InternalOpen()
{
    std::vector<TRecordStore::Kind> kinds;
    autoIncField_ = -1;
    for (int i = 0; i < FieldCount(); ++i) {
        kinds.push_back(StorageKind(Fields(i).DataType()));
        if (autoIncField_ < 0 && Fields(i).DataType() == ftAutoInc)
            autoIncField_ = i;
    }
    records_.Reset(std::move(kinds));
    InvalidateView();
    RawResetAutoIncCounter();
}

void TvekCustomMemTable::InternalClose()
{
    records_.Clear();
    InvalidateView();
}

std::size_t TvekCustomMemTable::InternalRecordCount() const
{
    return records_.Count();
}

bool TvekCustomMemTable::InternalRecordVisible(std::size_t record) const
{
    if (records_.Status(record) == DeletedStatus)
        return false;
    return !filtered_ || filter_.IsEmpty() || filter_.Matches(records_, record);
}

TFieldValue TvekCustomMemTable::InternalGetValue(std::size_t record, int field) const
{
    return records_.Value(record, static_cast<std::size_t>(field));
}

void TvekCustomMemTable::InternalLoadRecord(std::size_t record,
                                            std::vector<TFieldValue> &buffer) const
{
    buffer.resize(records_.ColumnCount());
    for (std::size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = records_.Value(record, i);
}

void TvekCustomMemTable::InternalAppendRecord(const std::vector<TFieldValue> &buffer)
{
    records_.Append(buffer, 0);
    ViewRecordAdded(records_.Count() - 1);
}

void TvekCustomMemTable::InternalSetRecord(std::size_t record,
                                           const std::vector<TFieldValue> &buffer)
{
    records_.Set(record, buffer);
    ViewRecordChanged(record);
}

void TvekCustomMemTable::InternalDeleteRecord(std::size_t record)
{
    records_.Erase(record);
    ViewRecordRemoved(record);
}

void TvekCustomMemTable::InternalInitAutoInc(std::vector<TFieldValue> &buffer)
{
    if (autoIncField_ >= 0)
        buffer[static_cast<std::size_t>(autoIncField_)] =
            static_cast<std::int32_t>(std::int64_t{autoIncCounter_} + 1);
}

void TvekCustomMemTable::InternalBeforeStore(const std::vector<TFieldValue> &buffer)
{
    if (autoIncField_ >= 0)
        RaiseCounter(buffer[static_cast<std::size_t>(autoIncField_)]);
}

void TvekCustomMemTable::RaiseCounter(const TFieldValue &value)
{
    if (const auto *integer = std::get_if<std::int32_t>(&value))
        RaiseCounter(*integer);
}

void TvekCustomMemTable::RaiseCounter(std::int32_t value)
{
    if (value > autoIncCounter_)
        autoIncCounter_ = value;
}

// ---- View index ----

const std::vector<std::size_t> &TvekCustomMemTable::View() const
{
    if (!viewValid_) {
        view_.clear();
        const std::size_t count = records_.Count();
        for (std::size_t record = 0; record < count; ++record)
            if (InternalRecordVisible(record))
                view_.push_back(record);
        viewValid_ = true;
    }
    return view_;
}

void TvekCustomMemTable::ViewRecordAdded(std::size_t record)
{
    // Records are only ever added at the end of table order.
    if (viewValid_ && InternalRecordVisible(record))
        view_.push_back(record);
}

void TvekCustomMemTable::ViewRecordChanged(std::size_t record)
{
    if (!viewValid_)
        return;
    const auto at = std::lower_bound(view_.begin(), view_.end(), record);
    const bool listed = at != view_.end() && *at == record;
    const bool visible = InternalRecordVisible(record);
    if (visible && !listed)
        view_.insert(at, record);
    else if (!visible && listed)
        view_.erase(at);
}

void TvekCustomMemTable::ViewRecordRemoved(std::size_t record)
{
    if (!viewValid_)
        return;
    auto at = std::lower_bound(view_.begin(), view_.end(), record);
    if (at != view_.end() && *at == record)
        at = view_.erase(at);
    for (; at != view_.end(); ++at)
        --*at;
}

std::size_t TvekCustomMemTable::FindVisibleForward(std::size_t from) const
{
    if (!UsesViewIndex())
        return TDataSet::FindVisibleForward(from);
    const std::vector<std::size_t> &view = View();
    const auto at = std::lower_bound(view.begin(), view.end(), from);
    return at != view.end() ? *at : npos;
}

std::size_t TvekCustomMemTable::FindVisibleBackward(std::size_t before) const
{
    if (!UsesViewIndex())
        return TDataSet::FindVisibleBackward(before);
    const std::vector<std::size_t> &view = View();
    const auto at = std::lower_bound(view.begin(), view.end(), before);
    return at != view.begin() ? *(at - 1) : npos;
}
