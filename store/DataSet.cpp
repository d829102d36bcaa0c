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
    for (TDataSource *source : m_dataSources) {
        source->m_dataSet = nullptr;
        source->m_state = tsInactive;
    }
}

// ---- Fields ----

TField &TDataSet::AddFieldObject(std::unique_ptr<TField> field)
{
    if (Active())
        throw EDatabaseError(WithName("Cannot change the fields of an open dataset"));
    if (FindField(field->FieldName) != nullptr)
        throw EDatabaseError(WithName("Duplicate field name '" + field->FieldName + "'"));
    field->m_dataSet = this;
    field->m_index = FieldCount();
    m_fields.push_back(std::move(field));
    DataEvent(nkLayoutChange);
    return *m_fields.back();
}

void TDataSet::ClearFields()
{
    if (Active())
        throw EDatabaseError(WithName("Cannot change the fields of an open dataset"));
    m_fields.clear();
    DataEvent(nkLayoutChange);
}

TField *TDataSet::FindField(const std::string &fieldName) const
{
    for (const auto &field : m_fields)
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
    if (m_fields.empty())
        throw EMemTableError("There must be at least one field");
    // The filter text is checked before the table opens, so that a filter
    // naming a missing field leaves the table closed rather than half open.
    InternalPrepareOpen();
    InternalOpen();
    m_position = npos;
    m_hasCurrent = false;
    m_atEnd = true;
    m_buffer.clear();
    m_modified = false;
    SetState(tsBrowse);
    Run(AfterOpen);
}

void TDataSet::Close()
{
    if (!Active())
        return;
    if (m_state == tsEdit || m_state == tsInsert)
        Cancel();
    Run(BeforeClose);
    SetState(tsInactive);
    InternalClose();
    m_position = npos;
    m_hasCurrent = false;
    m_atEnd = true;
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
    m_hasCurrent = record != npos;
    m_position = record;
    m_atEnd = !m_hasCurrent;
    DataEvent(nkDataSetChange);
    Run(AfterScroll);
}

void TDataSet::Next()
{
    CheckActive();
    CheckBrowseMode();
    Run(BeforeScroll);
    if (m_atEnd)
        return;
    const std::size_t record = FindVisibleForward(m_position + 1);
    if (record == npos)
        m_atEnd = true;
    else
        m_position = record;
    DataEvent(nkDataSetScroll);
    Run(AfterScroll);
}

bool TDataSet::IsEmpty() const
{
    return m_state != tsInsert && !m_hasCurrent;
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
        if (m_hasCurrent && m_position < count)
            record = m_position;
        else
            record = FindVisibleForward(0);
        break;
    case ResyncMode::AfterDelete:
        record = FindVisibleForward(m_position);
        if (record == npos)
            record = FindVisibleBackward(m_position);
        break;
    case ResyncMode::Last:
        record = FindVisibleBackward(count);
        break;
    }
    m_hasCurrent = record != npos;
    m_position = record;
    m_atEnd = !m_hasCurrent;
    DataEvent(nkDataSetChange);
}

void TDataSet::MakeCurrent(std::size_t record)
{
    m_position = record;
    m_hasCurrent = true;
    m_atEnd = false;
}

// ---- Editing cycle ----

void TDataSet::CheckBrowseMode()
{
    if (m_state != tsEdit && m_state != tsInsert)
        return;
    DataEvent(nkCheckBrowseMode);
    if (m_modified)
        Post();
    else
        Cancel();
}

void TDataSet::Edit()
{
    if (m_state == tsEdit || m_state == tsInsert)
        return;
    CheckActive();
    if (!m_hasCurrent) {
        Append();
        return;
    }
    CheckBrowseMode();
    Run(BeforeEdit);
    InternalLoadRecord(m_position, m_buffer);
    m_modified = false;
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
    m_buffer.assign(m_fields.size(), std::monostate{});
    m_modified = false;
    SetState(tsInsert);
    try {
        for (const auto &field : m_fields) {
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
        InternalInitAutoInc(m_buffer);
    } catch (...) {
        // The new record is dropped; the error belongs to the caller.
        m_buffer.clear();
        m_modified = false;
        SetState(tsBrowse);
        Resync(ResyncMode::Last);
        throw;
    }
    m_modified = false;
    m_atEnd = false;
    DataEvent(nkDataSetChange);
    Run(AfterInsert);
    Run(AfterScroll);
}

void TDataSet::Post()
{
    if (m_state != tsEdit && m_state != tsInsert)
        throw EDatabaseError(WithName("Dataset not in edit or insert mode"));
    DataEvent(nkUpdateRecord);
    DataEvent(nkCheckBrowseMode);
    Run(BeforePost);
    InternalBeforeStore(m_buffer);
    if (m_state == tsInsert) {
        InternalAppendRecord(m_buffer);
        m_position = InternalRecordCount() - 1;
    } else {
        InternalSetRecord(m_position, m_buffer);
    }
    m_buffer.clear();
    m_modified = false;
    m_hasCurrent = true;
    m_atEnd = false;
    SetState(tsBrowse);
    DataEvent(nkDataSetChange);
    Run(AfterPost);
}

void TDataSet::Cancel()
{
    if (m_state != tsEdit && m_state != tsInsert)
        return;
    const bool inserting = m_state == tsInsert;
    DataEvent(nkCheckBrowseMode);
    Run(BeforeCancel);
    if (inserting)
        Run(BeforeScroll);
    m_buffer.clear();
    m_modified = false;
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
    if (m_state == tsInsert) {
        Cancel();
        return;
    }
    if (!m_hasCurrent)
        throw EDatabaseError(WithName("Cannot perform this operation on an empty dataset"));
    DataEvent(nkCheckBrowseMode);
    Run(BeforeDelete);
    Run(BeforeScroll);
    InternalDeleteRecord(m_position);
    m_buffer.clear();
    m_modified = false;
    SetState(tsBrowse);
    Resync(ResyncMode::AfterDelete);
    Run(AfterDelete);
    Run(AfterScroll);
}

// ---- Field values ----

TFieldValue TDataSet::GetFieldValue(const TField &field) const
{
    const auto index = static_cast<std::size_t>(field.m_index);
    if (m_state == tsEdit || m_state == tsInsert)
        return m_buffer[index];
    if (m_state == tsBrowse && m_hasCurrent)
        return InternalGetValue(m_position, field.m_index);
    return std::monostate{};
}

void TDataSet::SetFieldValue(TField &field, TFieldValue value)
{
    if (m_state != tsEdit && m_state != tsInsert)
        throw EDatabaseError(WithName("Dataset is not in edit mode."));
    m_buffer[static_cast<std::size_t>(field.m_index)] = std::move(value);
    m_modified = true;
    DataEvent(nkFieldChange, &field);
}

// ---- Change notices ----

void TDataSet::SetState(TDataSetState state)
{
    if (state == m_state)
        return;
    m_state = state;
    DataEvent(nkUpdateState);
}

void TDataSet::DataEvent(TNoticeKind kind, TField *field)
{
    if (m_suspendCount > 0) {
        if (kind == nkLayoutChange || (kind == nkUpdateState && m_state == tsInactive))
            m_pendingKind = nkLayoutChange;
        return;
    }
    // A handler may unlink sources, so walk a copy and skip the departed.
    const std::vector<TDataSource *> sources = m_dataSources;
    for (TDataSource *source : sources)
        if (std::find(m_dataSources.begin(), m_dataSources.end(), source) != m_dataSources.end())
            source->DataEvent(kind, field);
}

void TDataSet::SuspendNotifications()
{
    if (m_suspendCount == 0) {
        m_suspendedState = m_state;
        m_pendingKind = nkDataSetChange;
    }
    ++m_suspendCount;
}

void TDataSet::ResumeNotifications()
{
    if (m_suspendCount <= 0)
        return;
    if (--m_suspendCount > 0)
        return;
    if (m_state != m_suspendedState)
        DataEvent(nkUpdateState);
    if (m_suspendedState != tsInactive && m_state != tsInactive)
        DataEvent(m_pendingKind);
}

void TDataSet::RegisterDataSource(TDataSource *source)
{
    if (std::find(m_dataSources.begin(), m_dataSources.end(), source) == m_dataSources.end())
        m_dataSources.push_back(source);
}

void TDataSet::UnregisterDataSource(TDataSource *source)
{
    std::erase(m_dataSources, source);
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
