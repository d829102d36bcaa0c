#pragma once

#include "store/FieldTypes.h"

#include <functional>

class TDataSet;
class TField;

// A listener linking one table to a view. Assigning DataSet registers the
// source with the table (and takes the table's state at once, raising
// OnStateChange and then OnDataChange when the table is open). The source
// follows the table's state; while inactive it passes on nothing but the
// state changes.
//
// The window binds its panels like this:
//   dsFloor.OnDataChange = [this](TDataSource &, TField *) { ShowFloor(); };
//   dsFloor.SetDataSet(&data.tCurrFloor);
//
// A source and its table may be destroyed in any order: each unlinks itself.
class TDataSource
{
public:
    TDataSource() = default;
    explicit TDataSource(TDataSet *dataSet) { SetDataSet(dataSet); }
    virtual ~TDataSource();
    TDataSource(const TDataSource &) = delete;
    TDataSource &operator=(const TDataSource &) = delete;

    TDataSet *DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet *dataSet);
    TDataSetState State() const { return state_; }

    // Field is the changed field for a field change, else null.
    std::function<void(TDataSource &Sender, TField *Field)> OnDataChange;
    std::function<void(TDataSource &Sender)> OnStateChange;
    // Post is about to store the edit buffer.
    std::function<void(TDataSource &Sender)> OnUpdateData;

    // Receives one change notice of the table; a test fake may record them.
    virtual void DataEvent(TNoticeKind kind, TField *field);

private:
    friend class TDataSet;
    void SetState(TDataSetState state);

    TDataSet *dataSet_ = nullptr;
    TDataSetState state_ = tsInactive;
};
