#pragma once

#include "document/WholeFile.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "simdata/LittleEndian.h"

namespace rollpath {

// A file opened read-only in binary mode, read at absolute offsets. Every read
// is bounded by the buffer it fills and reports how much the file gave.
class BinaryFile {
public:
    // False when the path is not a regular file or cannot be opened.
    bool Open(const std::filesystem::path& path);
    bool IsOpen() const { return m_File != nullptr; }
    void Close() { m_File.reset(); }

    // The size when the file was opened.
    std::uint64_t Size() const { return m_nSize; }

    // Reads up to out.size() bytes at offset; returns the number read, short
    // at the end of the file.
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out);

    // Reads exactly size bytes at offset, or nothing when the file is shorter.
    std::optional<Bytes> ReadExactly(std::uint64_t offset, std::size_t size);

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> m_File;
    std::uint64_t m_nSize = 0;
};

}  // namespace rollpath
