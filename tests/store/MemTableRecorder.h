#pragma once

#include "store/MemTable.h"

#include <string>
#include <vector>

// Test helpers of the memory-table tests: a hotel-like table and a recorder
// that writes every handler and every change notice into one log, in order.

inline void AddHotelFields(TvekMemTable &table)
{
    table.AddField<TAutoIncField>("HOTEL_ID");
    table.AddField<TStringField>("NAME", 50);
    table.AddField<TIntegerField>("MONEY").DefaultExpression = "50000";
    table.AddField<TIntegerField>("ID").DefaultExpression = "0";
    table.AddField<TDateField>("DATE");
    table.AddField<TIntegerField>("TIME").DefaultExpression = "10";
}

inline const char *NoticeName(TNoticeKind kind)
{
    switch (kind) {
    case nkFieldChange:
        return "nkFieldChange";
    case nkRecordChange:
        return "nkRecordChange";
    case nkDataSetChange:
        return "nkDataSetChange";
    case nkDataSetScroll:
        return "nkDataSetScroll";
    case nkLayoutChange:
        return "nkLayoutChange";
    case nkUpdateRecord:
        return "nkUpdateRecord";
    case nkUpdateState:
        return "nkUpdateState";
    case nkCheckBrowseMode:
        return "nkCheckBrowseMode";
    }
    return "?";
}

// A data source that logs each notice it receives ("nkFieldChange:NAME").
class TRecordingSource : public TDataSource
{
public:
    explicit TRecordingSource(std::vector<std::string> &log) : log_(log) {}
    void DataEvent(TNoticeKind kind, TField *field) override
    {
        std::string entry = NoticeName(kind);
        if (field != nullptr)
            entry += ":" + field->FieldName;
        log_.push_back(entry);
        TDataSource::DataEvent(kind, field);
    }

private:
    std::vector<std::string> &log_;
};

// Logs every handler of a table by its name and, through a recording data
// source, every notice. Handlers a test sets afterwards replace the logging.
class TMemTableRecorder
{
public:
    explicit TMemTableRecorder(TDataSet &table) : source_(log)
    {
        const auto hook = [this](const char *name) {
            return [this, name](TDataSet &) { log.emplace_back(name); };
        };
        table.BeforeOpen = hook("BeforeOpen");
        table.AfterOpen = hook("AfterOpen");
        table.BeforeClose = hook("BeforeClose");
        table.AfterClose = hook("AfterClose");
        table.BeforeInsert = hook("BeforeInsert");
        table.AfterInsert = hook("AfterInsert");
        table.BeforeEdit = hook("BeforeEdit");
        table.AfterEdit = hook("AfterEdit");
        table.BeforePost = hook("BeforePost");
        table.AfterPost = hook("AfterPost");
        table.BeforeCancel = hook("BeforeCancel");
        table.AfterCancel = hook("AfterCancel");
        table.BeforeDelete = hook("BeforeDelete");
        table.AfterDelete = hook("AfterDelete");
        table.BeforeScroll = hook("BeforeScroll");
        table.AfterScroll = hook("AfterScroll");
        table.OnNewRecord = hook("OnNewRecord");
        source_.SetDataSet(&table);
        log.clear();
    }

    // The log since the last call, which empties it.
    std::vector<std::string> Take()
    {
        std::vector<std::string> taken;
        taken.swap(log);
        return taken;
    }

    std::vector<std::string> log;

private:
    TRecordingSource source_;
};

// The values of one integer field over every visible record, walked with
// First and Next.
inline std::vector<int> Column(TvekCustomMemTable &table, const std::string &fieldName)
{
    std::vector<int> values;
    for (table.First(); !table.AtEnd(); table.Next())
        values.push_back(table.FieldNamed(fieldName).AsInteger());
    return values;
}

// The message of the error of type E that the operation throws; "" when it
// throws none.
template <class E = EDatabaseError, class F> std::string ErrorOf(F &&operation)
{
    try {
        operation();
    } catch (const E &error) {
        return error.what();
    }
    return "";
}

// Appends and posts one record with the given integer field values.
inline void AddRecord(TvekCustomMemTable &table,
                      std::initializer_list<std::pair<const char *, int>> values)
{
    table.Append();
    for (const auto &[name, value] : values)
        table.FieldNamed(name).SetAsInteger(value);
    table.Post();
}
