#include "document/Utf8Path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace rollpath {

#ifdef _WIN32

namespace {

std::wstring Widened(std::string_view text, UINT codePage, DWORD flags) {
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    std::wstring wide = Widened(utf8, CP_UTF8, MB_ERR_INVALID_CHARS);
    if (wide.empty()) {
        wide = Widened(utf8, 1252, 0);
    }
    return std::filesystem::path(std::move(wide));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

#else

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(utf8);
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    return path.native();
}

#endif

}  // namespace rollpath
