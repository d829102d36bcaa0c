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

void TTableStreamReader::ReadSignature()
{
    if (bytes_.substr(0, 4) != "TPF0") {
        throw EReadError("Invalid stream format");
    }
    position_ = 4;
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
