#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace rollpath {

// The whole content of a file, read in chunks (its size is not trusted: it
// may change while it is read); nothing when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path);

// The same as text, byte for byte.
std::optional<std::string> ReadWholeText(const std::filesystem::path& path);

}  // namespace rollpath
