#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class TDataSet;
class TRecordStore;

// The parsed form of a table's Filter text: empty (no condition) or one
// comparison "FIELD = integer". Blanks and control characters between tokens
// are skipped; a "-" directly before digits belongs to the number when it
// follows "=".
class TFilterExpression
{
public:
    // Parses the text against the table's fields. Throws EDatabaseError with
    // "Invalid filter expression character: '<c>'", "<table>: Field '<name>'
    // not found", or "Invalid filter expression: '<text>'" for a form other
    // than the single comparison.
    static TFilterExpression Parse(const std::string &text, const TDataSet &dataSet);

    bool IsEmpty() const { return field_ < 0; }
    bool Matches(const TRecordStore &records, std::size_t record) const;

private:
    int field_ = -1;
    std::int64_t number_ = 0;
    std::string numberText_;
};
