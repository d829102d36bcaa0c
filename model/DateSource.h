#pragma once

// The local date and time, as a date-time number: days since 1899-12-30, the
// fraction being the time of day. A new hotel takes its date from it.
class TDateSource
{
public:
    virtual ~TDateSource() = default;
    virtual double Now() = 0;
};
