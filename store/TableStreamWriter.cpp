#include "store/TableStreamWriter.h"

#include "store/CodePage.h"
#include "store/Extended80.h"

void TTableStreamWriter::WriteSignature()
{
    bytes += "TPF0";
}

void TTableStreamWriter::WriteLittleEndian(std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

void TTableStreamWriter::WriteInteger(std::int32_t value)
{
    const auto raw = static_cast<std::uint32_t>(value);
    if (value >= -128 && value <= 127) {
        bytes += static_cast<char>(TagInt8);
        WriteLittleEndian(raw, 1);
    } else if (value >= -32768 && value <= 32767) {
        bytes += static_cast<char>(TagInt16);
        WriteLittleEndian(raw, 2);
    } else {
        bytes += static_cast<char>(TagInt32);
        WriteLittleEndian(raw, 4);
    }
}

void TTableStreamWriter::WriteFloat(double value)
{
    bytes += static_cast<char>(TagExtended);
    const TExtended80::TBytes encoded = TExtended80::Encode(value);
    bytes.append(reinterpret_cast<const char *>(encoded.data()), encoded.size());
}

void TTableStreamWriter::WriteString(std::string_view text)
{
    if (!TCodePage::IsAscii(text)) {
        const std::string utf8 = TCodePage::ToUtf8(text);
        bytes += static_cast<char>(TagUtf8String);
        WriteLittleEndian(static_cast<std::uint32_t>(utf8.size()), 4);
        bytes += utf8;
    } else if (text.size() <= 255) {
        bytes += static_cast<char>(TagString);
        WriteLittleEndian(static_cast<std::uint32_t>(text.size()), 1);
        bytes += text;
    } else {
        bytes += static_cast<char>(TagLongString);
        WriteLittleEndian(static_cast<std::uint32_t>(text.size()), 4);
        bytes += text;
    }
}
