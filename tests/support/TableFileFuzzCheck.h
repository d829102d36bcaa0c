#pragma once

#include <string>
#include <string_view>

// What every table file, however damaged, must do when read into the tHotel
// table (which has a field of every storable type): either fail with a table
// store error, or load records that write back to a file which reads again
// into the same records and writes back to the same bytes. Returns the text of
// a broken promise, empty when all held; a crash or a foreign exception is a
// broken promise too, left to the caller's tools to catch.
std::string CheckTableFileBytes(std::string_view bytes);
