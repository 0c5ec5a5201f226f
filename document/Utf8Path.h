#pragma once

// The core keeps folder and file paths in strings as UTF-8 on every platform
// (Qt's QString::toStdString, the command line). Windows names files in
// UTF-16 and its narrow encoding is a code page that cannot name every file,
// so a path and its string convert only through here.

#include <filesystem>
#include <string>
#include <string_view>

namespace rollpath {

// Bytes that are not UTF-8 are taken as Windows-1252 on Windows (a name
// written by a program of the code page) and as they are elsewhere.
std::filesystem::path PathFromUtf8(std::string_view utf8);

std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace rollpath
