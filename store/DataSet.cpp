#include "store/DataSet.h"

#include "store/DataSource.h"
#include "store/DatabaseError.h"
#include "store/MemTableError.h"

#include <algorithm>

namespace {

bool SameNameIgnoringCase(const std::string &a, const std::string &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

} // namespace

TDataSet::TDataSet(std::string name) : Name(std::move(name)) {}

TDataSet::~TDataSet()
{
    for (TDataSource *source : dataSources_) {
        source->dataSet_ = nullptr;
        source->state_ = tsInactive;
    }
}

// ---- Fields ----

TField &TDataSet::AddFieldObject(std::unique_ptr<TField> field)
{
    if (Active())
        throw EDatabaseError(WithName("Cannot change the fields of an open dataset"));
    if (FindField(field->FieldName) != nullptr)
        throw EDatabaseError(WithName("Duplicate field name '" + field->FieldName + "'"));
    field->dataSet_ = this;
    field->index_ = FieldCount();
    fields_.push_back(std::move(field));
    DataEvent(nkLayoutChange);
    return *fields_.back();
}

void TDataSet::ClearFields()
{
    if (Active())
        throw EDatabaseError(WithName("Cannot change the fields of an open dataset"));
    fields_.clear();
    DataEvent(nkLayoutChange);
}

TField *TDataSet::FindField(const std::string &fieldName) const
{
    for (const auto &field : fields_)
        if (SameNameIgnoringCase(field->FieldName, fieldName))
            return field.get();
    return nullptr;
}

TField &TDataSet::FieldNamed(const std::string &fieldName) const
{
    if (TField *field = FindField(fieldName))
        return *field;
    throw EDatabaseError(WithName("Field '" + fieldName + "' not found"));
}

// ---- State ----

void TDataSet::Open()
{
    if (Active())
        return;
    Run(BeforeOpen);
    if (fields_.empty())
        throw EMemTableError("There must be at least one field");
    // The filter text is checked before the table opens, so that a filter
    // naming a missing field leaves the table closed rather than half open.
    InternalPrepareOpen();
    InternalOpen();
    position_ = npos;
    hasCurrent_ = false;
    atEnd_ = true;
    buffer_.clear();
    modified_ = false;
    SetState(tsBrowse);
    Run(AfterOpen);
}

void TDataSet::Close()
{
    if (!Active())
        return;
    if (state_ == tsEdit || state_ == tsInsert)
        Cancel();
    Run(BeforeClose);
    SetState(tsInactive);
    InternalClose();
    position_ = npos;
    hasCurrent_ = false;
    atEnd_ = true;
    Run(AfterClose);
}

void TDataSet::CheckActive() const
{
    if (!Active())
        throw EDatabaseError(WithName("Cannot perform this operation on a closed dataset"));
}

// ---- Cursor ----

void TDataSet::First()
{
    CheckActive();
    CheckBrowseMode();
    Run(BeforeScroll);
    const std::size_t record = FindVisibleForward(0);
    hasCurrent_ = record != npos;
    position_ = record;
    atEnd_ = !hasCurrent_;
    DataEvent(nkDataSetChange);
    Run(AfterScroll);
}

void TDataSet::Next()
{
    CheckActive();
    CheckBrowseMode();
    Run(BeforeScroll);
    if (atEnd_)
        return;
    const std::size_t record = FindVisibleForward(position_ + 1);
    if (record == npos)
        atEnd_ = true;
    else
        position_ = record;
    DataEvent(nkDataSetScroll);
    Run(AfterScroll);
}

bool TDataSet::IsEmpty() const
{
    return state_ != tsInsert && !hasCurrent_;
}

std::size_t TDataSet::FindVisibleForward(std::size_t from) const
{
    const std::size_t count = InternalRecordCount();
    for (std::size_t record = from; record < count; ++record)
        if (InternalRecordVisible(record))
            return record;
    return npos;
}

std::size_t TDataSet::FindVisibleBackward(std::size_t before) const
{
    for (std::size_t record = std::min(before, InternalRecordCount()); record-- > 0;)
        if (InternalRecordVisible(record))
            return record;
    return npos;
}

void TDataSet::Resync(ResyncMode mode)
{
    const std::size_t count = InternalRecordCount();
    std::size_t record = npos;
    switch (mode) {
    case ResyncMode::KeepCurrent:
        if (hasCurrent_ && position_ < count)
            record = position_;
        else
            record = FindVisibleForward(0);
        break;
    case ResyncMode::AfterDelete:
        record = FindVisibleForward(position_);
        if (record == npos)
            record = FindVisibleBackward(position_);
        break;
    case ResyncMode::Last:
        record = FindVisibleBackward(count);
        break;
    }
    hasCurrent_ = record != npos;
    position_ = record;
    atEnd_ = !hasCurrent_;
    DataEvent(nkDataSetChange);
}

void TDataSet::MakeCurrent(std::size_t record)
{
    position_ = record;
    hasCurrent_ = true;
    atEnd_ = false;
}

// ---- Editing cycle ----

void TDataSet::CheckBrowseMode()
{
    if (state_ != tsEdit && state_ != tsInsert)
        return;
    DataEvent(nkCheckBrowseMode);
    if (modified_)
        Post();
    else
        Cancel();
}

void TDataSet::Edit()
{
    if (state_ == tsEdit || state_ == tsInsert)
        return;
    CheckActive();
    if (!hasCurrent_) {
        Append();
        return;
    }
    CheckBrowseMode();
    Run(BeforeEdit);
    InternalLoadRecord(position_, buffer_);
    modified_ = false;
    SetState(tsEdit);
    DataEvent(nkRecordChange);
    Run(AfterEdit);
}

void TDataSet::Append()
{
    CheckActive();
    CheckBrowseMode();
    Run(BeforeInsert);
    Run(BeforeScroll);
    buffer_.assign(fields_.size(), std::monostate{});
    modified_ = false;
    SetState(tsInsert);
    try {
        for (const auto &field : fields_) {
            if (field->DefaultExpression.empty())
                continue;
            TFieldValue value;
            try {
                value = field->FromText(field->DefaultExpression);
            } catch (const EDatabaseError &) {
                field->InvalidValue();
            }
            SetFieldValue(*field, std::move(value));
        }
        Run(OnNewRecord);
        InternalInitAutoInc(buffer_);
    } catch (...) {
        // The new record is dropped; the error belongs to the caller.
        buffer_.clear();
        modified_ = false;
        SetState(tsBrowse);
        Resync(ResyncMode::Last);
        throw;
    }
    modified_ = false;
    atEnd_ = false;
    DataEvent(nkDataSetChange);
    Run(AfterInsert);
    Run(AfterScroll);
}

void TDataSet::Post()
{
    if (state_ != tsEdit && state_ != tsInsert)
        throw EDatabaseError(WithName("Dataset not in edit or insert mode"));
    DataEvent(nkUpdateRecord);
    DataEvent(nkCheckBrowseMode);
    Run(BeforePost);
    InternalBeforeStore(buffer_);
    if (state_ == tsInsert) {
        InternalAppendRecord(buffer_);
        position_ = InternalRecordCount() - 1;
    } else {
        InternalSetRecord(position_, buffer_);
    }
    buffer_.clear();
    modified_ = false;
    hasCurrent_ = true;
    atEnd_ = false;
    SetState(tsBrowse);
    DataEvent(nkDataSetChange);
    Run(AfterPost);
}

void TDataSet::Cancel()
{
    if (state_ != tsEdit && state_ != tsInsert)
        return;
    const bool inserting = state_ == tsInsert;
    DataEvent(nkCheckBrowseMode);
    Run(BeforeCancel);
    if (inserting)
        Run(BeforeScroll);
    buffer_.clear();
    modified_ = false;
    SetState(tsBrowse);
    // A dropped new record leaves the cursor on the last record of the view,
    // after which it was placed.
    Resync(inserting ? ResyncMode::Last : ResyncMode::KeepCurrent);
    Run(AfterCancel);
    if (inserting)
        Run(AfterScroll);
}

void TDataSet::Delete()
{
    CheckActive();
    if (state_ == tsInsert) {
        Cancel();
        return;
    }
    if (!hasCurrent_)
        throw EDatabaseError(WithName("Cannot perform this operation on an empty dataset"));
    DataEvent(nkCheckBrowseMode);
    Run(BeforeDelete);
    Run(BeforeScroll);
    InternalDeleteRecord(position_);
    buffer_.clear();
    modified_ = false;
    SetState(tsBrowse);
    Resync(ResyncMode::AfterDelete);
    Run(AfterDelete);
    Run(AfterScroll);
}

// ---- Field values ----

TFieldValue TDataSet::GetFieldValue(const TField &field) const
{
    const auto index = static_cast<std::size_t>(field.index_);
    if (state_ == tsEdit || state_ == tsInsert)
        return buffer_[index];
    if (state_ == tsBrowse && hasCurrent_)
        return InternalGetValue(position_, field.index_);
    return std::monostate{};
}

void TDataSet::SetFieldValue(TField &field, TFieldValue value)
{
    if (state_ != tsEdit && state_ != tsInsert)
        throw EDatabaseError(WithName("Dataset is not in edit mode."));
    buffer_[static_cast<std::size_t>(field.index_)] = std::move(value);
    modified_ = true;
    DataEvent(nkFieldChange, &field);
}

// ---- Change notices ----

void TDataSet::SetState(TDataSetState state)
{
    if (state == state_)
        return;
    state_ = state;
    DataEvent(nkUpdateState);
}

void TDataSet::DataEvent(TNoticeKind kind, TField *field)
{
    if (suspendCount_ > 0) {
        if (kind == nkLayoutChange || (kind == nkUpdateState && state_ == tsInactive))
            pendingKind_ = nkLayoutChange;
        return;
    }
    // A handler may unlink sources, so walk a copy and skip the departed.
    const std::vector<TDataSource *> sources = dataSources_;
    for (TDataSource *source : sources)
        if (std::find(dataSources_.begin(), dataSources_.end(), source) != dataSources_.end())
            source->DataEvent(kind, field);
}

void TDataSet::SuspendNotifications()
{
    if (suspendCount_ == 0) {
        suspendedState_ = state_;
        pendingKind_ = nkDataSetChange;
    }
    ++suspendCount_;
}

void TDataSet::ResumeNotifications()
{
    if (suspendCount_ <= 0)
        return;
    if (--suspendCount_ > 0)
        return;
    if (state_ != suspendedState_)
        DataEvent(nkUpdateState);
    if (suspendedState_ != tsInactive && state_ != tsInactive)
        DataEvent(pendingKind_);
}

void TDataSet::RegisterDataSource(TDataSource *source)
{
    if (std::find(dataSources_.begin(), dataSources_.end(), source) == dataSources_.end())
        dataSources_.push_back(source);
}

void TDataSet::UnregisterDataSource(TDataSource *source)
{
    std::erase(dataSources_, source);
}

// ---- Helpers ----

void TDataSet::Run(const TDataSetNotifyEvent &hook)
{
    if (hook)
        hook(*this);
}

std::string TDataSet::WithName(const std::string &message) const
{
    return Name.empty() ? message : Name + ": " + message;
}
