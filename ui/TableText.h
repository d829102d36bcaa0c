#pragma once

#include "store/CodePage.h"

#include <QString>
#include <string>

// Text fields hold Windows-1252 bytes; the window shows and types Unicode.
inline QString FromTableText(const std::string &text)
{
    return QString::fromStdString(TCodePage::ToUtf8(text));
}

inline std::string ToTableText(const QString &text)
{
    return TCodePage::FromUtf8(text.toStdString());
}
