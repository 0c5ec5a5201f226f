#pragma once

// The few file-system operations a writer needs, behind an interface so that
// tests can make any of them fail (a full disk at the n-th write, a refused
// rename) and check that nothing already on disk is lost. Each failure comes
// with the system's reason, which the user is shown.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <system_error>

namespace rollpath {

class WritableFile {
public:
    virtual ~WritableFile() = default;
    virtual bool Write(std::span<const std::uint8_t> bytes, std::error_code& reason) = 0;
    // Flushes and closes; false when anything written may not have reached
    // the disk.
    virtual bool Close(std::error_code& reason) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // A new empty file, replacing one of that name; nullptr when it cannot be
    // created.
    virtual std::unique_ptr<WritableFile> Create(const std::filesystem::path& path,
                                                 std::error_code& reason) = 0;
    // Moves from over to, replacing to; false when it did not happen.
    virtual bool Rename(const std::filesystem::path& from, const std::filesystem::path& to,
                        std::error_code& reason) = 0;
    // A second name for the file's present content (a copy where the disk
    // has no links), replacing one of that name, so that the file can be
    // replaced and still be put back.
    virtual bool Keep(const std::filesystem::path& file, const std::filesystem::path& copy,
                      std::error_code& reason) = 0;
    // Best effort; a file that is not there is no error.
    virtual void Remove(const std::filesystem::path& path) = 0;
};

// The operating system's files. Stateless, shared by every writer.
FileSystem& RealFileSystem();

// The reason of the last failed call of the C or C++ library (errno), or an
// input/output error when it left none.
std::error_code LastSystemError();

}  // namespace rollpath
