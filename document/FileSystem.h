#pragma once

// The few file-system operations a writer needs, behind an interface so that
// tests can make any of them fail (a full disk at the n-th write, a refused
// rename) and check that nothing already on disk is lost.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

namespace rollpath {

class WritableFile {
public:
    virtual ~WritableFile() = default;
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
    // Flushes and closes; false when anything written may not have reached
    // the disk.
    virtual bool Close() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // A new empty file, replacing one of that name; nullptr when it cannot be
    // created.
    virtual std::unique_ptr<WritableFile> Create(const std::filesystem::path& path) = 0;
    // Moves from over to, replacing to; false when it did not happen.
    virtual bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Best effort; a file that is not there is no error.
    virtual void Remove(const std::filesystem::path& path) = 0;
};

// The operating system's files. Stateless, shared by every writer.
FileSystem& RealFileSystem();

}  // namespace rollpath
