#pragma once

#include "store/DataSet.h"

#include <utility>

// Holds back a table's change notices from construction until Release, and
// always lets them go: should Release never be reached (an error on its way
// out), the destructor resumes them without raising a second error. Every
// walk that edits records runs under one, so that the panels refresh once.
class TNoticeHold
{
public:
    explicit TNoticeHold(TDataSet &table) : table_(&table) { table.SuspendNotifications(); }
    ~TNoticeHold()
    {
        try {
            Release();
        } catch (...) {
            // An error is already on its way out, or a destructor cannot report.
        }
    }
    TNoticeHold(const TNoticeHold &) = delete;
    TNoticeHold &operator=(const TNoticeHold &) = delete;

    // Sends the notices held back; a change handler may throw from here.
    void Release()
    {
        if (table_ != nullptr)
            std::exchange(table_, nullptr)->ResumeNotifications();
    }

private:
    TDataSet *table_;
};
