#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "document/AnsiText.h"

namespace rollpath {

// The core's single-byte texts (Windows ANSI) as Qt text.
inline QString FromAnsi(std::string_view ansi) {
    return QString::fromStdString(AnsiToUtf8(ansi));
}

// Text the user typed as the core keeps it.
inline std::string ToAnsi(const QString& text) {
    return Utf8ToAnsi(text.toStdString());
}

}  // namespace rollpath
