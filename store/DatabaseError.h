#pragma once

#include <stdexcept>
#include <string>

// A failure of a table operation. The message is the fixed text players and
// callers see; a message that names a table reads "tHotel: <message>".
class EDatabaseError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
