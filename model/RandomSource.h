#pragma once

// The random numbers of the hourly rules.
class TRandomSource
{
public:
    virtual ~TRandomSource() = default;
    // A uniformly distributed integer r with 0 <= r < n; 0 when n <= 0.
    virtual int Random(int n) = 0;
};
