#include "store/DataSource.h"

#include "store/DataSet.h"

TDataSource::~TDataSource()
{
    if (dataSet_ != nullptr)
        dataSet_->UnregisterDataSource(this);
}

void TDataSource::SetDataSet(TDataSet *dataSet)
{
    if (dataSet == dataSet_)
        return;
    if (dataSet_ != nullptr)
        dataSet_->UnregisterDataSource(this);
    dataSet_ = dataSet;
    if (dataSet_ != nullptr)
        dataSet_->RegisterDataSource(this);
    SetState(dataSet_ != nullptr ? dataSet_->State() : tsInactive);
}

void TDataSource::DataEvent(TNoticeKind kind, TField *field)
{
    if (kind == nkUpdateState) {
        SetState(dataSet_ != nullptr ? dataSet_->State() : tsInactive);
        return;
    }
    if (state_ == tsInactive)
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
    if (state == state_)
        return;
    const bool wasInactive = state_ == tsInactive;
    state_ = state;
    if (OnStateChange)
        OnStateChange(*this);
    if (wasInactive && OnDataChange)
        OnDataChange(*this, nullptr);
}
