#pragma once

#include "model/RandomSource.h"

#include <deque>
#include <vector>

// Gives scripted numbers in turn (each taken modulo n, so a script cannot leave
// the range), then 0; records every n it was asked for.
class FakeRandom : public TRandomSource
{
public:
    int Random(int n) override
    {
        Requests.push_back(n);
        if (n <= 0)
            return 0;
        int value = 0;
        if (!Script.empty()) {
            value = Script.front();
            Script.pop_front();
        }
        return value % n;
    }

    std::deque<int> Script;
    std::vector<int> Requests;
};
