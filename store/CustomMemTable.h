#pragma once

#include "store/DataSet.h"
#include "store/FilterExpression.h"
#include "store/MemTableSaveFlags.h"
#include "store/RecordStore.h"
#include "store/Variant.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A record set held entirely in memory: records in table order, the
// autoincrement counter, the filter, Locate, CopyRecordsFrom and the table
// files. The filter is a single comparison "FIELD = integer", parsed once
// when it is set.
class TvekCustomMemTable : public TDataSet
{
public:
    explicit TvekCustomMemTable(std::string name = {});

    // ---- Settings ----
    std::int32_t AutoIncMinValue = 0;
    bool AutoReposition = true;
    bool EnableVersioning = false;
    TvekMemTableSaveFlags SaveOptions{sfSaveData};

    // ---- Filter ----
    // Setting Filter on an open table parses the text at once (an error keeps
    // the previous filter) and, when Filtered is set, goes to the first
    // visible record. Setting Filtered on an open table goes to the first
    // visible record. On a closed table the text is parsed at the next Open.
    const std::string &Filter() const { return filterText_; }
    void SetFilter(const std::string &text);
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool filtered);

    // Moves to the first visible record whose key fields (names separated by
    // ";") equal the key values: one value for one key field, or a list with
    // one value per key field. Returns whether one was found; when not, the
    // cursor stays where it was.
    bool Locate(const std::string &keyFields, const TVariant &keyValues);

    // Appends copies of source records, from the source's current record on,
    // moving the source with Next; at most `limit` records when limit > 0.
    // Returns the number copied.
    int CopyRecordsFrom(TvekCustomMemTable *source, int limit);

    // ---- Table files (defined with the table-file reader and writer) ----
    // Adds the records of the file to the table.
    void ReadTableFile(const std::string &fileName);
    // Writes the table to the file with the given save flags.
    void WriteTableFile(const std::string &fileName, TvekMemTableSaveFlags saveFlags);
    // Writes with the table's SaveOptions.
    void WriteTableFile(const std::string &fileName) { WriteTableFile(fileName, SaveOptions); }

    // ===================================================================
    // Raw record access for the table-file reader and writer
    // -------------------------------------------------------------------
    // These read and add records directly: they do not move the cursor, run
    // no handler, apply no default value and send no notice. Record positions
    // are table order, 0 .. RawRecordCount() - 1, over every record (also those
    // the filter hides).
    //
    // Reading a file into the table goes:
    //   SuspendNotifications();
    //   [a non-empty field definition list: Close(); ClearFields();
    //    AddFieldOfType(...) per entry; Open();]
    //   RawResetAutoIncCounter();
    //   RawAppendRecord(values, status) per record, or on an open table the
    //   same through a TRawBulkAppend;
    //   ResumeNotifications();   // sends the pending nkDataSetChange
    //   RawResync();             // re-reads the view: another nkDataSetChange
    // with ResumeNotifications and RawResync also on the error path.
    //
    // Writing reads RawRecordCount / RawRecordVisible / RawRecordStatus and the
    // values; CheckBrowseMode, SetFiltered and Suspend/ResumeNotifications are
    // the public operations above.
    // ===================================================================
    std::size_t RawRecordCount() const { return records_.Count(); }
    // The stored records themselves, read in place by the table-file writer,
    // whose loop over every value of a large table should not pay a call per value.
    const TRecordStore &RawRecords() const { return records_; }
    std::int32_t RawRecordStatus(std::size_t record) const { return records_.Status(record); }
    // Whether the record passes the filter now (a record of status 3 never
    // does): the records a write puts in the file.
    bool RawRecordVisible(std::size_t record) const;
    TFieldValue RawValue(std::size_t record, int field) const;
    // Fast typed reads; the value must not be null and must be of the field's
    // type (integer and autoincrement: RawInteger, string: RawString, date:
    // RawDate).
    bool RawIsNull(std::size_t record, int field) const
    {
        return records_.IsNull(record, static_cast<std::size_t>(field));
    }
    std::int32_t RawInteger(std::size_t record, int field) const
    {
        return records_.Integer(record, static_cast<std::size_t>(field));
    }
    const std::string &RawString(std::size_t record, int field) const
    {
        return records_.Text(record, static_cast<std::size_t>(field));
    }
    double RawDate(std::size_t record, int field) const
    {
        return records_.Date(record, static_cast<std::size_t>(field));
    }

    // Adds a record at the end of table order. The table must be open (else
    // "Cannot perform this operation on a closed dataset"); `values` holds one
    // value per field in field order (else an EDatabaseError).
    // Each value is brought to its field's stored form as an assignment would:
    // a text is cut to Size characters (and at a NUL), a date keeps its whole
    // day, a value of another type is converted. A date of 0 is kept as 0:
    // the reader makes it null itself. An autoincrement value larger than the
    // counter becomes the counter.
    void RawAppendRecord(std::span<const TFieldValue> values, std::int32_t status = 0);
    // The records of a bulk read, written value by value straight into the
    // columns with no per-record conversion of stored-form values. A record
    // kept with Keep has the effects RawAppendRecord(values, status) would:
    // the counter and the view index follow it, no notice is sent. The
    // table must be open (else the closed-dataset error) and its fields must
    // not change while this lives; a record not kept is dropped when it ends.
    class TRawBulkAppend
    {
    public:
        explicit TRawBulkAppend(TvekCustomMemTable &table);
        ~TRawBulkAppend() { records_.Truncate(next_); }
        TRawBulkAppend(const TRawBulkAppend &) = delete;
        TRawBulkAppend &operator=(const TRawBulkAppend &) = delete;

        // The position of the record being filled.
        std::size_t Next() const { return next_; }
        // Room for at least `records` records from Next() on; returns how
        // many there are. The pointers below hold until the next call.
        std::size_t MakeRoom(std::size_t records);
        // Every value of an integer or autoincrement field (as RawAppendRecord
        // stores an int32 there) and the status must be written for the
        // record through these before Keep.
        std::int32_t *Statuses() { return records_.StatusData(); }
        std::uint8_t *Nulls(int field) { return records_.NullsData(Column(field)); }
        std::int32_t *Integers(int field) { return records_.IntegersData(Column(field)); }
        // A value of any other field, brought to its stored form by the field
        // as RawAppendRecord does; an error leaves the record unkept.
        void Put(int field, const TFieldValue &value);
        // The records from Next() on, this many, are whole: they join the table.
        void Keep(std::size_t records = 1)
        {
            TvekCustomMemTable &t = table_;
            const std::size_t end = next_ + records;
            if (t.autoIncField_ >= 0) {
                const auto autoInc = static_cast<std::size_t>(t.autoIncField_);
                for (std::size_t record = next_; record < end; ++record)
                    if (!records_.IsNull(record, autoInc))
                        t.RaiseCounter(records_.Integer(record, autoInc));
            }
            if (t.viewValid_)
                for (std::size_t record = next_; record < end; ++record)
                    t.ViewRecordAdded(record);
            next_ = end;
        }

    private:
        static std::size_t Column(int field) { return static_cast<std::size_t>(field); }

        TvekCustomMemTable &table_;
        TRecordStore &records_;
        std::size_t next_;
    };

    // Room for this many records in all, as a hint before a bulk read (an
    // upper bound is fine: capacity that is never filled costs no memory).
    void RawReserve(std::size_t records);
    // The counter becomes AutoIncMinValue - 1.
    void RawResetAutoIncCounter();
    std::int32_t AutoIncCounter() const { return autoIncCounter_; }
    // Re-reads the view after records were added: the record that was current
    // stays current; with none current the first visible record becomes
    // current. Sends nkDataSetChange. Nothing on a closed table.
    void RawResync();
    // A new field of a type named in a field definition, with name and size
    // (size is kept for string fields). Null when the table cannot store that
    // type (the reader then reports "Unknown field type (%s)"). Only while closed.
    TField *AddFieldOfType(TFieldType type, const std::string &fieldName, int size);

protected:
    void InternalOpen() override;
    void InternalClose() override;
    void InternalPrepareOpen() override;
    std::size_t InternalRecordCount() const override;
    bool InternalRecordVisible(std::size_t record) const override;
    TFieldValue InternalGetValue(std::size_t record, int field) const override;
    void InternalLoadRecord(std::size_t record, std::vector<TFieldValue> &buffer) const override;
    void InternalAppendRecord(const std::vector<TFieldValue> &buffer) override;
    void InternalSetRecord(std::size_t record, const std::vector<TFieldValue> &buffer) override;
    void InternalDeleteRecord(std::size_t record) override;
    void InternalInitAutoInc(std::vector<TFieldValue> &buffer) override;
    void InternalBeforeStore(const std::vector<TFieldValue> &buffer) override;
    std::size_t FindVisibleForward(std::size_t from) const override;
    std::size_t FindVisibleBackward(std::size_t before) const override;

private:
    void RaiseCounter(const TFieldValue &value);
    void RaiseCounter(std::int32_t value);
    void ParseFilter();
    // The view index of a filtered table: the table-order positions of the
    // visible records, ascending. It answers exactly what testing every
    // record would, and is rebuilt on first use after the filter or the table
    // changed wholesale, then kept up to date record by record, so that a
    // walk, a First or a Locate over one hotel does not test the records of
    // all the others. Without a filter in force nearly every record is
    // visible and the records are tested directly.
    bool UsesViewIndex() const { return filtered_ && !filter_.IsEmpty(); }
    const std::vector<std::size_t> &View() const;
    void InvalidateView() { viewValid_ = false; }
    void ViewRecordAdded(std::size_t record);
    void ViewRecordChanged(std::size_t record);
    void ViewRecordRemoved(std::size_t record);

    TRecordStore records_;
    // The first autoincrement field, fixed while the table is open; -1 for none.
    int autoIncField_ = -1;
    std::int32_t autoIncCounter_ = -1;

    std::string filterText_;
    bool filtered_ = false;
    TFilterExpression filter_;

    mutable std::vector<std::size_t> view_;
    mutable bool viewValid_ = false;
};
