#pragma once

#include "store/DatabaseError.h"

// A failure found by the memory table's own checks (a table without fields,
// key values of the wrong shape for Locate).
class EMemTableError : public EDatabaseError
{
public:
    using EDatabaseError::EDatabaseError;
};
