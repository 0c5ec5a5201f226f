#pragma once

#include <QString>
#include <string_view>

#include "document/AnsiText.h"

namespace rollpath {

// The core's single-byte texts (Windows ANSI) as Qt text.
inline QString FromAnsi(std::string_view ansi) {
    return QString::fromStdString(AnsiToUtf8(ansi));
}

}  // namespace rollpath
