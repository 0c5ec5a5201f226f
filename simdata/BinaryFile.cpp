#include "simdata/BinaryFile.h"

#include <system_error>

namespace rollpath {

namespace {

// Windows names files in UTF-16 and has 32-bit off_t; both need the wide and
// 64-bit calls there.
#ifdef _WIN32
std::FILE* OpenForReading(const std::filesystem::path& path) {
    return _wfopen(path.c_str(), L"rb");
}
int SeekTo(std::FILE* file, std::int64_t offset, int origin) {
    return _fseeki64(file, offset, origin);
}
std::int64_t Tell(std::FILE* file) {
    return _ftelli64(file);
}
#else
std::FILE* OpenForReading(const std::filesystem::path& path) {
    return std::fopen(path.c_str(), "rb");
}
int SeekTo(std::FILE* file, std::int64_t offset, int origin) {
    return fseeko(file, static_cast<off_t>(offset), origin);
}
std::int64_t Tell(std::FILE* file) {
    return ftello(file);
}
#endif

}  // namespace

bool BinaryFile::Open(const std::filesystem::path& path) {
    Close();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return false;
    }
    m_File.reset(OpenForReading(path));
    if (!m_File) {
        return false;
    }
    if (SeekTo(m_File.get(), 0, SEEK_END) != 0) {
        Close();
        return false;
    }
    const std::int64_t size = Tell(m_File.get());
    if (size < 0) {
        Close();
        return false;
    }
    m_nSize = static_cast<std::uint64_t>(size);
    return true;
}

std::size_t BinaryFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (!m_File || out.empty() || offset > static_cast<std::uint64_t>(INT64_MAX)) {
        return 0;
    }
    if (SeekTo(m_File.get(), static_cast<std::int64_t>(offset), SEEK_SET) != 0) {
        return 0;
    }
    return std::fread(out.data(), 1, out.size(), m_File.get());
}

std::optional<Bytes> BinaryFile::ReadExactly(std::uint64_t offset, std::size_t size) {
    if (offset > m_nSize || size > m_nSize - offset) {
        return std::nullopt;
    }
    Bytes bytes(size);
    if (ReadAt(offset, bytes) != size) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace rollpath
