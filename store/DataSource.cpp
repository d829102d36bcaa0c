#include "store/DataSource.h"

#include "store/DataSet.h"

TDataSource::~TDataSource()
{
    if (m_dataSet != nullptr)
        m_dataSet->UnregisterDataSource(this);
}

void TDataSource::SetDataSet(TDataSet *dataSet)
{
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet != nullptr)
        m_dataSet->UnregisterDataSource(this);
    m_dataSet = dataSet;
    if (m_dataSet != nullptr)
        m_dataSet->RegisterDataSource(this);
    SetState(m_dataSet != nullptr ? m_dataSet->State() : tsInactive);
}

void TDataSource::DataEvent(TNoticeKind kind, TField *field)
{
    if (kind == nkUpdateState) {
        SetState(m_dataSet != nullptr ? m_dataSet->State() : tsInactive);
        return;
    }
    if (m_state == tsInactive)
        return;
    switch (kind) {
    case nkFieldChange:
        if (OnDataChange)
            OnDataChange(*this, field);
        break;
    case nkRecordChange:
    case nkDataSetChange:
    case nkDataSetScroll:
    case nkLayoutChange:
        if (OnDataChange)
            OnDataChange(*this, nullptr);
        break;
    case nkUpdateRecord:
        if (OnUpdateData)
            OnUpdateData(*this);
        break;
    case nkUpdateState:
    case nkCheckBrowseMode:
        break;
    }
}

void TDataSource::SetState(TDataSetState state)
{
    if (state == m_state)
        return;
    const bool wasInactive = m_state == tsInactive;
    m_state = state;
    if (OnStateChange)
        OnStateChange(*this);
    if (wasInactive && OnDataChange)
        OnDataChange(*this, nullptr);
}
