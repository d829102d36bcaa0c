#include "store/TableStreamReader.h"

#include "store/CodePage.h"
#include "store/Extended80.h"
#include "store/TableStreamError.h"

void TTableStreamReader::PropertyValueError()
{
    throw EReadError("Invalid property value");
}

void TTableStreamReader::ReadError()
{
    throw EReadError("Stream read error");
}

const std::uint8_t *TTableStreamReader::Take(std::size_t size)
{
    if (size > BytesLeft()) {
        ReadError();
    }
    const auto *start = reinterpret_cast<const std::uint8_t *>(bytes.data() + position);
    position += size;
    return start;
}

std::uint32_t TTableStreamReader::ReadLittleEndian(int size)
{
    const std::uint8_t *data = Take(static_cast<std::size_t>(size));
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | data[i];
    }
    return value;
}

void TTableStreamReader::ReadSignature()
{
    if (bytes.substr(0, 4) != "TPF0") {
        throw EReadError("Invalid stream format");
    }
    position = 4;
}

TValueTag TTableStreamReader::NextValue() const
{
    if (BytesLeft() == 0) {
        ReadError();
    }
    return static_cast<TValueTag>(bytes[position]);
}

TValueTag TTableStreamReader::ReadValue()
{
    return static_cast<TValueTag>(*Take(1));
}

void TTableStreamReader::ReadListBegin()
{
    if (ReadValue() != TagList) {
        PropertyValueError();
    }
}

void TTableStreamReader::ReadListEnd()
{
    if (ReadValue() != TagNull) {
        PropertyValueError();
    }
}

std::int32_t TTableStreamReader::ReadIntegerValue(TValueTag tag)
{
    switch (tag) {
    case TagInt8:
        return static_cast<std::int8_t>(ReadLittleEndian(1));
    case TagInt16:
        return static_cast<std::int16_t>(ReadLittleEndian(2));
    case TagInt32:
        return static_cast<std::int32_t>(ReadLittleEndian(4));
    default:
        PropertyValueError();
    }
}

std::int32_t TTableStreamReader::ReadInteger()
{
    return ReadIntegerValue(ReadValue());
}

double TTableStreamReader::ReadFloat()
{
    const TValueTag tag = ReadValue();
    if (tag == TagExtended) {
        return TExtended80::Decode(Take(10));
    }
    return ReadIntegerValue(tag);
}

std::string TTableStreamReader::ReadString()
{
    switch (ReadValue()) {
    case TagString: {
        const std::uint32_t length = ReadLittleEndian(1);
        return std::string(reinterpret_cast<const char *>(Take(length)), length);
    }
    case TagLongString: {
        const std::uint32_t length = ReadLittleEndian(4);
        return std::string(reinterpret_cast<const char *>(Take(length)), length);
    }
    case TagUtf8String: {
        const std::uint32_t length = ReadLittleEndian(4);
        const auto *text = reinterpret_cast<const char *>(Take(length));
        return TCodePage::FromUtf8(std::string_view(text, length));
    }
    case TagWideString: {
        const std::uint64_t size = std::uint64_t{ReadLittleEndian(4)} * 2;
        if (size > BytesLeft()) {
            ReadError();
        }
        const auto *text = reinterpret_cast<const char *>(Take(static_cast<std::size_t>(size)));
        return TCodePage::FromUtf16(std::string_view(text, static_cast<std::size_t>(size)));
    }
    default:
        PropertyValueError();
    }
}
