#pragma once

#include "store/Field.h"
#include "store/FieldTypes.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

class TDataSource;

// Record-set behaviour shared by every table: state, fields, cursor, edit
// buffer, handler hooks, change notices and the data sources that listen.
// Record storage is left to the derived table (TvekCustomMemTable).
//
// The view is the records that pass the filter, in table order; the cursor
// designates its current record (none when the view is empty) and AtEnd.
//
// Errors are EDatabaseError / EMemTableError; messages that name the table
// read "<Name>: <message>". An error thrown by a handler passes on unchanged.
// First, Next, Edit, Append, Delete and Locate on a closed table throw
// "<Name>: Cannot perform this operation on a closed dataset".
//
// Walking the view:
//   for (t.First(); !t.AtEnd(); t.Next()) { ... }
// Changing the current record, or adding one:
//   t.Edit();   t.FieldNamed("MONEY").SetAsInteger(m);   t.Post();
//   t.Append(); t.FieldNamed("NAME").SetAsString(name);  t.Post();
class TDataSet
{
public:
    using TDataSetNotifyEvent = std::function<void(TDataSet &DataSet)>;

    explicit TDataSet(std::string name = {});
    virtual ~TDataSet();
    TDataSet(const TDataSet &) = delete;
    TDataSet &operator=(const TDataSet &) = delete;

    // The component name (e.g. "tHotel"): names the table file and prefixes
    // error messages.
    std::string Name;

    // ---- Fields ----
    // Fields are added and removed only while the table is closed. A name
    // already used (ignoring case) throws EDatabaseError. Example:
    //   t.AddField<TAutoIncField>("HOTEL_ID");
    //   t.AddField<TStringField>("NAME", 50);
    //   t.AddField<TIntegerField>("MONEY").DefaultExpression = "50000";
    template <class F> F &AddField(const std::string &fieldName, int size = 0)
    {
        static_assert(std::is_base_of_v<TField, F>);
        auto field = std::make_unique<F>();
        field->FieldName = fieldName;
        if (field->DataType() == ftString && size > 0)
            field->Size = size;
        F &result = *field;
        AddFieldObject(std::move(field));
        return result;
    }
    TField &AddFieldObject(std::unique_ptr<TField> field);
    void ClearFields();
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField &Fields(int index) const { return *fields_.at(static_cast<std::size_t>(index)); }
    // The first field whose FieldName equals the name ignoring case, or null.
    TField *FindField(const std::string &fieldName) const;
    // As FindField, but a missing field throws "<Name>: Field '<name>' not found".
    TField &FieldNamed(const std::string &fieldName) const;

    // ---- State ----
    TDataSetState State() const { return state_; }
    bool Active() const { return state_ != tsInactive; }
    void Open();
    void Close();

    // ---- Cursor ----
    void First();
    // On the last visible record sets AtEnd and leaves that record current.
    void Next();
    bool AtEnd() const { return atEnd_; }
    // True when the view has no current record (a new record being appended
    // counts as current).
    bool IsEmpty() const;

    // ---- Editing cycle ----
    // Copies the current record into the edit buffer (tsEdit); on an empty
    // view begins a new record as Append does.
    void Edit();
    // Begins a new record (tsInsert): every field null, then the default
    // expressions, OnNewRecord and the autoincrement value. Nothing counts as
    // Modified yet, so leaving the record unchanged drops it.
    void Append();
    // Stores the edit buffer (a new record at the end of table order) and
    // makes the stored record current.
    void Post();
    void Cancel();
    // Removes the current record; the record that followed it becomes
    // current. During Append it only cancels.
    void Delete();
    // Leaves the edit state: in tsEdit or tsInsert sends nkCheckBrowseMode,
    // then posts when Modified is set, else cancels. Nothing in tsBrowse.
    void CheckBrowseMode();
    bool Modified() const { return modified_; }

    // ---- Change notices ----
    void SuspendNotifications();
    void ResumeNotifications();
    int NotificationSuspendCount() const { return suspendCount_; }

    // ---- Handler hooks ----
    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    TDataSetNotifyEvent OnNewRecord;

protected:
    // ---- Record storage, supplied by the table ----
    virtual void InternalOpen() = 0;  // make the storage ready, holding no record
    virtual void InternalClose() = 0; // discard every record
    virtual std::size_t InternalRecordCount() const = 0;
    // Whether the record at this table-order position is in the view.
    virtual bool InternalRecordVisible(std::size_t record) const = 0;
    virtual TFieldValue InternalGetValue(std::size_t record, int field) const = 0;
    virtual void InternalLoadRecord(std::size_t record, std::vector<TFieldValue> &buffer) const = 0;
    // Append the buffer at the end of table order, or overwrite a record.
    virtual void InternalAppendRecord(const std::vector<TFieldValue> &buffer) = 0;
    virtual void InternalSetRecord(std::size_t record, const std::vector<TFieldValue> &buffer) = 0;
    virtual void InternalDeleteRecord(std::size_t record) = 0;
    // A new record gets the next autoincrement value; a stored record raises the
    // counter to its value.
    virtual void InternalInitAutoInc(std::vector<TFieldValue> &buffer) = 0;
    virtual void InternalBeforeStore(const std::vector<TFieldValue> &buffer) = 0;
    // Called by Open before the state changes; may throw to keep it closed.
    virtual void InternalPrepareOpen() {}

    // Sends one notice to every data source, or holds it back while suspended.
    void DataEvent(TNoticeKind kind, TField *field = nullptr);
    void SetState(TDataSetState state);
    // How the view is re-read after the records changed.
    enum class ResyncMode
    {
        KeepCurrent, // the current record stays, untested; none current: the first visible
        AfterDelete, // the record now at the cursor's position or the next visible one,
                     // else the last visible one before it
        Last,        // the last visible record
    };
    // Re-reads the view and sends nkDataSetChange; AtEnd is true exactly when
    // the view is empty.
    void Resync(ResyncMode mode);
    // Makes a record current, as a found Locate does (no notice).
    void MakeCurrent(std::size_t record);
    // The first visible record at or after `from`, the last one before
    // `before`; npos when none.
    // A table may answer these from an index of its own.
    virtual std::size_t FindVisibleForward(std::size_t from) const;
    virtual std::size_t FindVisibleBackward(std::size_t before) const;
    bool HasCurrent() const { return hasCurrent_; }
    std::size_t CurrentRecord() const { return position_; }
    // Throws "<Name>: Cannot perform this operation on a closed dataset".
    void CheckActive() const;
    // "<Name>: <message>" (just the message for a table without a name).
    std::string WithName(const std::string &message) const;
    void Run(const TDataSetNotifyEvent &hook);
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    friend class TField;
    friend class TDataSource;

    void RegisterDataSource(TDataSource *source);
    void UnregisterDataSource(TDataSource *source);
    TFieldValue GetFieldValue(const TField &field) const;
    void SetFieldValue(TField &field, TFieldValue value);

    std::vector<std::unique_ptr<TField>> fields_;
    std::vector<TDataSource *> dataSources_;
    TDataSetState state_ = tsInactive;

    // Cursor: the table-order position of the current record. In tsInsert
    // the new record is current and the position keeps the record that was.
    std::size_t position_ = npos;
    bool hasCurrent_ = false;
    bool atEnd_ = true;

    std::vector<TFieldValue> buffer_;
    bool modified_ = false;

    int suspendCount_ = 0;
    TDataSetState suspendedState_ = tsInactive;
    TNoticeKind pendingKind_ = nkDataSetChange;
};
