#pragma once

// Every file the editor writes goes through here: the content goes to a
// temporary file in the target's folder, which replaces the target only after
// the whole write and the close succeeded. A failed Save therefore never
// destroys the file that was there before.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "document/FileSystem.h"

namespace rollpath {

class MessageSink;

class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target, FileSystem& files = RealFileSystem());
    // An uncommitted temporary file is removed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file; false when it cannot be created.
    bool Open();
    // Appends, in chunks of 64 KiB so that a failure in the middle of a long
    // write is seen where it happens; after one failure every later call
    // fails too.
    bool Write(std::span<const std::uint8_t> bytes);
    // Closes the temporary file and moves it over the target. False, with the
    // target left as it was, when anything failed since Open.
    bool Commit();

    const std::filesystem::path& target() const { return target_; }
    const std::filesystem::path& temporary() const { return temporary_; }

private:
    void Discard();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    FileSystem& files_;
    std::unique_ptr<WritableFile> file_;
    bool failed_ = false;
    bool pending_ = false;  // a temporary file may exist
};

// Writes bytes to target through an AtomicFile, in chunks. On any failure
// shows "Cannot create " + displayName and returns false; the old file stays.
bool WriteFileOrReport(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                       const std::string& displayName, MessageSink& messages,
                       FileSystem& files = RealFileSystem());

}  // namespace rollpath
