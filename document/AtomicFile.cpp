#include "document/AtomicFile.h"

#include <algorithm>
#include <utility>

#include "document/MessageSink.h"
#include "document/Utf8Path.h"

namespace rollpath {
namespace {

// Large files (the pavement file) reach the disk in pieces, so a failure in
// the middle of a long write is seen where it happens.
constexpr std::size_t kChunkSize = 64 * 1024;

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target, FileSystem& files)
    : target_(std::move(target)), files_(files) {
    // Same folder as the target, so the final rename never crosses devices.
    temporary_ = target_;
    temporary_ += ".rptmp";
}

AtomicFile::~AtomicFile() {
    if (pending_) {
        Discard();
    }
}

void AtomicFile::Fail(const std::error_code& reason, const std::filesystem::path& where) {
    if (!failed_) {
        reason_ = reason;
        failedPath_ = where;
    }
    failed_ = true;
}

std::string AtomicFile::Failure() const {
    const std::error_code reason = reason_ ? reason_ : std::make_error_code(std::errc::io_error);
    return Utf8FromPath(failedPath_) + ": " + reason.message();
}

bool AtomicFile::Open() {
    if (pending_) {
        Discard();
    }
    failed_ = false;
    finished_ = false;
    pending_ = true;
    std::error_code reason;
    file_ = files_.Create(temporary_, reason);
    if (file_ == nullptr) {
        // The user knows the file by its own name, not the temporary one.
        Fail(reason, target_);
    }
    return !failed_;
}

bool AtomicFile::Write(std::span<const std::uint8_t> bytes) {
    if (failed_ || !file_) {
        Fail(std::make_error_code(std::errc::bad_file_descriptor), target_);
        return false;
    }
    for (std::size_t pos = 0; !failed_ && pos < bytes.size(); pos += kChunkSize) {
        std::error_code reason;
        if (!file_->Write(bytes.subspan(pos, std::min(kChunkSize, bytes.size() - pos)), reason)) {
            Fail(reason, target_);
        }
    }
    return !failed_;
}

bool AtomicFile::Finish() {
    if (finished_ && !failed_) {
        return true;
    }
    if (failed_ || !file_) {
        Fail(std::make_error_code(std::errc::bad_file_descriptor), target_);
        return false;
    }
    std::error_code reason;
    const bool closed = file_->Close(reason);
    file_.reset();
    if (!closed) {
        Fail(reason, target_);
        return false;
    }
    finished_ = true;
    return true;
}

bool AtomicFile::Commit() {
    if (!Finish()) {
        Discard();
        return false;
    }
    std::error_code reason;
    if (!files_.Rename(temporary_, target_, reason)) {
        Fail(reason, target_);
        Discard();
        return false;
    }
    pending_ = false;
    return true;
}

void AtomicFile::Discard() {
    if (file_) {
        std::error_code ignored;
        file_->Close(ignored);
        file_.reset();
    }
    files_.Remove(temporary_);
    pending_ = false;
}

std::string FailureMessage(const std::string& words, const std::string& failure) {
    // Words that end with the name of the file the failure names ("Cannot
    // create KSFO.txp", "/data/KSFO.txp: ...") take its path in the name's
    // place.
    const std::size_t space = words.rfind(' ');
    if (space != std::string::npos && space + 1 < words.size()) {
        const std::string nameThenReason = words.substr(space + 1) + ": ";
        const std::size_t at = failure.find(nameThenReason);
        if (at != std::string::npos && (at == 0 || failure[at - 1] == '/' || failure[at - 1] == '\\')) {
            return words.substr(0, space + 1) + failure;
        }
    }
    // "Cannot create temporary file." goes on without its full stop.
    const std::string start = words.ends_with('.') ? words.substr(0, words.size() - 1) : words;
    return start + ": " + failure;
}

bool WriteFileOrReport(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                       const std::string& displayName, MessageSink& messages, FileSystem& files) {
    AtomicFile file(target, files);
    const bool ok = file.Open() && file.Write(bytes) && file.Commit();
    if (!ok) {
        messages.Show(FailureMessage("Cannot create " + displayName, file.Failure()));
    }
    return ok;
}

}  // namespace rollpath
