#include "store/FilterExpression.h"

#include "store/DataSet.h"
#include "store/DatabaseError.h"
#include "store/RecordStore.h"

#include <limits>
#include <vector>

namespace {

struct Token
{
    enum Kind
    {
        Name,
        Equals,
        Number
    };
    Kind kind;
    std::string text;
};

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::vector<Token> Tokenize(const std::string &text)
{
    std::vector<Token> tokens;
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (static_cast<unsigned char>(c) <= ' ') {
            ++at;
        } else if (IsLetter(c)) {
            const std::size_t start = at;
            while (at < text.size() && (IsLetter(text[at]) || IsDigit(text[at])))
                ++at;
            tokens.push_back({Token::Name, text.substr(start, at - start)});
        } else if (c == '=') {
            tokens.push_back({Token::Equals, "="});
            ++at;
        } else if (IsDigit(c) || (c == '-' && at + 1 < text.size() && IsDigit(text[at + 1]) &&
                                  !tokens.empty() && tokens.back().kind == Token::Equals)) {
            const std::size_t start = at++;
            while (at < text.size() && IsDigit(text[at]))
                ++at;
            tokens.push_back({Token::Number, text.substr(start, at - start)});
        } else {
            throw EDatabaseError(std::string("Invalid filter expression character: '") + c + "'");
        }
    }
    return tokens;
}

} // namespace

TFilterExpression TFilterExpression::Parse(const std::string &text, const TDataSet &dataSet)
{
    const std::vector<Token> tokens = Tokenize(text);
    TFilterExpression result;
    if (tokens.empty())
        return result;
    if (tokens.size() != 3 || tokens[0].kind != Token::Name || tokens[1].kind != Token::Equals ||
        tokens[2].kind != Token::Number)
        throw EDatabaseError("Invalid filter expression: '" + text + "'");

    result.field_ = dataSet.FieldNamed(tokens[0].text).Index();
    result.numberText_ = tokens[2].text;
    // A literal beyond 32 bits can equal no integer field; it saturates.
    const bool negative = result.numberText_[0] == '-';
    std::int64_t value = 0;
    for (std::size_t i = negative ? 1 : 0; i < result.numberText_.size(); ++i) {
        value = value * 10 + (result.numberText_[i] - '0');
        if (value > std::numeric_limits<std::int32_t>::max() + std::int64_t{1}) {
            value = std::numeric_limits<std::int32_t>::max() + std::int64_t{2};
            break;
        }
    }
    result.number_ = negative ? -value : value;
    return result;
}

bool TFilterExpression::Matches(const TRecordStore &records, std::size_t record) const
{
    const auto column = static_cast<std::size_t>(field_);
    if (records.IsNull(record, column))
        return false;
    switch (records.ColumnKind(column)) {
    case TRecordStore::Kind::Integer:
        return records.Integer(record, column) == number_;
    case TRecordStore::Kind::Date:
        return records.Date(record, column) == static_cast<double>(number_);
    case TRecordStore::Kind::Text:
        return records.Text(record, column) == numberText_;
    }
    return false;
}
