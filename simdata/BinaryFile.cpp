#include "simdata/BinaryFile.h"

#include <system_error>

namespace rollpath {

bool BinaryFile::Open(const std::filesystem::path& path) {
    Close();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return false;
    }
    m_File.reset(std::fopen(path.c_str(), "rb"));
    if (!m_File) {
        return false;
    }
    if (fseeko(m_File.get(), 0, SEEK_END) != 0) {
        Close();
        return false;
    }
    const off_t size = ftello(m_File.get());
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
    if (fseeko(m_File.get(), static_cast<off_t>(offset), SEEK_SET) != 0) {
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
