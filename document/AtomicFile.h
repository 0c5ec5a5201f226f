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
#include <system_error>

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
    // Closes the temporary file; false when anything failed since Open. The
    // target is not touched yet.
    bool Finish();
    // Finishes and moves the temporary file over the target. False, with the
    // target left as it was, when anything failed since Open.
    bool Commit();
    // Removes the temporary file.
    void Discard();

    const std::filesystem::path& target() const { return target_; }
    const std::filesystem::path& temporary() const { return temporary_; }
    // Why the file could not be written: the path and the system's reason.
    std::string Failure() const;

private:
    void Fail(const std::error_code& reason, const std::filesystem::path& where);

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    FileSystem& files_;
    std::unique_ptr<WritableFile> file_;
    bool failed_ = false;
    bool pending_ = false;  // a temporary file may exist
    bool finished_ = false;
    std::error_code reason_;
    std::filesystem::path failedPath_;
};

// "Cannot create /data/KSFO.txp: No space left on device": the message's own
// words with the failure's path in place of the file's name, and the
// system's reason; words that do not end with the name ("Cannot create
// temporary file.") are followed by the path and the reason.
std::string FailureMessage(const std::string& words, const std::string& failure);

// Writes bytes to target through an AtomicFile, in chunks. On any failure
// shows "Cannot create " + displayName with the path and the reason, and
// returns false; the old file stays.
bool WriteFileOrReport(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                       const std::string& displayName, MessageSink& messages,
                       FileSystem& files = RealFileSystem());

}  // namespace rollpath
