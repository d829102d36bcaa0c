#include "store/CodePage.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>
#include <utility>

namespace {

constexpr const char *CodePageName = "WINDOWS-1252";

bool IsUndefinedInCodePage(unsigned value)
{
    return value == 0x81 || value == 0x8D || value == 0x8F || value == 0x90 || value == 0x9D;
}

// What to put in place of input that iconv refused, and how much input to skip.
struct TReplacement
{
    std::string text;
    std::size_t skip;
};

// One open conversion, kept per thread because opening one costs more than
// converting a name.
class TIconv
{
public:
    TIconv(const char *to, const char *from) : handle_(iconv_open(to, from))
    {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("No conversion from ") + from + " to " + to);
        }
    }
    ~TIconv() { iconv_close(handle_); }
    TIconv(const TIconv &) = delete;
    TIconv &operator=(const TIconv &) = delete;

    template <typename Replace> std::string Convert(std::string_view input, Replace replace)
    {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string output;
        output.reserve(input.size() * 2 + 4);
        char buffer[256];
        char *in = const_cast<char *>(input.data());
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            char *out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
            const int error = errno;
            output.append(buffer, out);
            if (result != static_cast<std::size_t>(-1) || error == E2BIG) {
                continue;
            }
            // EILSEQ: a character the target lacks, or malformed input; EINVAL:
            // the input ends inside a character.
            TReplacement replacement =
                error == EINVAL ? TReplacement{"?", inLeft} : replace(std::string_view(in, inLeft));
            output += replacement.text;
            in += replacement.skip;
            inLeft -= replacement.skip;
        }
        return output;
    }

private:
    iconv_t handle_;
};

// Length of the well-formed UTF-8 sequence at the start of text, 0 when malformed.
std::size_t Utf8SequenceLength(std::string_view text, unsigned &codePoint)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    const bool overlong =
        (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    const bool invalid = codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF);
    return overlong || invalid ? 0 : length;
}

// Length of the malformed part at the start of text: the longest start of a well-formed
// sequence, or the one byte that starts none. Each such part reads as one "?", so a
// sequence cut short reads the same whether the text ends after it or goes on.
std::size_t MalformedPartLength(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    // The second byte's range excludes overlong forms, surrogates and code points past U+10FFFF.
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 1;
    }
    std::size_t part = 1;
    while (part < length && part < text.size()) {
        const auto next = static_cast<unsigned char>(text[part]);
        const bool fits = part == 1 ? next >= low && next <= high : (next & 0xC0) == 0x80;
        if (!fits) {
            break;
        }
        ++part;
    }
    return part;
}

TReplacement ReplaceUtf8(std::string_view rest)
{
    unsigned codePoint = 0;
    const std::size_t length = Utf8SequenceLength(rest, codePoint);
    if (length == 0) {
        return {"?", MalformedPartLength(rest)};
    }
    if (IsUndefinedInCodePage(codePoint)) {
        return {std::string(1, static_cast<char>(codePoint)), length};
    }
    return {"?", length};
}

TReplacement ReplaceUtf16(std::string_view rest)
{
    auto unit = [&](std::size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(rest[at])) |
               static_cast<unsigned>(static_cast<unsigned char>(rest[at + 1])) << 8;
    };
    if (rest.size() < 2) {
        return {"?", rest.size()};
    }
    const unsigned first = unit(0);
    if (IsUndefinedInCodePage(first)) {
        return {std::string(1, static_cast<char>(first)), 2};
    }
    const bool pair = first >= 0xD800 && first <= 0xDBFF && rest.size() >= 4 && unit(2) >= 0xDC00 &&
                      unit(2) <= 0xDFFF;
    return {"?", pair ? std::size_t{4} : std::size_t{2}};
}

TReplacement ReplaceCodePage(std::string_view rest)
{
    // Only the undefined bytes are refused; they become their control characters.
    const auto byte = static_cast<unsigned char>(rest[0]);
    std::string text{static_cast<char>(0xC0 | (byte >> 6)),
                     static_cast<char>(0x80 | (byte & 0x3F))};
    return {std::move(text), 1};
}

} // namespace

bool TCodePage::IsAscii(std::string_view text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string TCodePage::ToUtf8(std::string_view text)
{
    if (IsAscii(text)) {
        return std::string(text);
    }
    thread_local TIconv conversion("UTF-8", CodePageName);
    return conversion.Convert(text, ReplaceCodePage);
}

std::string TCodePage::FromUtf8(std::string_view utf8)
{
    if (IsAscii(utf8)) {
        return std::string(utf8);
    }
    thread_local TIconv conversion(CodePageName, "UTF-8");
    return conversion.Convert(utf8, ReplaceUtf8);
}

std::string TCodePage::FromUtf16(std::string_view utf16)
{
    thread_local TIconv conversion(CodePageName, "UTF-16LE");
    return conversion.Convert(utf16, ReplaceUtf16);
}

std::string TCodePage::Unencodable(std::string_view utf8)
{
    std::string missing;
    std::size_t at = 0;
    while (at < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const std::string_view character = utf8.substr(at, length);
        at += character.size();
        if (character != "?" && FromUtf8(character) == "?" &&
            missing.find(character) == std::string::npos)
            missing += character;
    }
    return missing;
}
