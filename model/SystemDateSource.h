#pragma once

#include "model/DateSource.h"

// The local date and time of the machine.
class TSystemDateSource : public TDateSource
{
public:
    double Now() override;
};
