#include "store/TableStreamWriter.h"

#include "store/CodePage.h"
#include "store/Extended80.h"

void TTableStreamWriter::Grow(std::size_t size)
{
    std::unique_ptr<char[]> larger(new char[size]);
    if (used_ > 0) {
        std::memcpy(larger.get(), buffer_.get(), used_);
    }
    buffer_ = std::move(larger);
    capacity_ = size;
}

void TTableStreamWriter::WriteLength(TValueTag tag, std::uint32_t length, int size)
{
    char *out = Room(5);
    out[0] = static_cast<char>(tag);
    for (int i = 0; i < size; ++i) {
        out[1 + i] = static_cast<char>(length >> (8 * i));
    }
    used_ += 1 + static_cast<std::size_t>(size);
}

void TTableStreamWriter::WriteFloat(double value)
{
    const TExtended80::TBytes encoded = TExtended80::Encode(value);
    char *out = Room(1 + encoded.size());
    out[0] = static_cast<char>(TagExtended);
    std::memcpy(out + 1, encoded.data(), encoded.size());
    used_ += 1 + encoded.size();
}

void TTableStreamWriter::WriteString(std::string_view text)
{
    if (!TCodePage::IsAscii(text)) {
        const std::string utf8 = TCodePage::ToUtf8(text);
        WriteLength(TagUtf8String, static_cast<std::uint32_t>(utf8.size()), 4);
        Append(utf8.data(), utf8.size());
    } else if (text.size() <= 255) {
        WriteLength(TagString, static_cast<std::uint32_t>(text.size()), 1);
        Append(text.data(), text.size());
    } else {
        WriteLength(TagLongString, static_cast<std::uint32_t>(text.size()), 4);
        Append(text.data(), text.size());
    }
}
