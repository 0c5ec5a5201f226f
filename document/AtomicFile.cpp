#include "document/AtomicFile.h"

#include <algorithm>
#include <utility>

#include "document/MessageSink.h"

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

bool AtomicFile::Open() {
    if (pending_) {
        Discard();
    }
    pending_ = true;
    file_ = files_.Create(temporary_);
    failed_ = file_ == nullptr;
    return !failed_;
}

bool AtomicFile::Write(std::span<const std::uint8_t> bytes) {
    if (failed_ || !file_) {
        failed_ = true;
        return false;
    }
    for (std::size_t pos = 0; !failed_ && pos < bytes.size(); pos += kChunkSize) {
        if (!file_->Write(bytes.subspan(pos, std::min(kChunkSize, bytes.size() - pos)))) {
            failed_ = true;
        }
    }
    return !failed_;
}

bool AtomicFile::Commit() {
    if (failed_ || !file_) {
        if (pending_) {
            Discard();
        }
        return false;
    }
    const bool closed = file_->Close();
    file_.reset();
    if (!closed || !files_.Rename(temporary_, target_)) {
        failed_ = true;
        Discard();
        return false;
    }
    pending_ = false;
    return true;
}

void AtomicFile::Discard() {
    if (file_) {
        file_->Close();
        file_.reset();
    }
    files_.Remove(temporary_);
    pending_ = false;
}

bool WriteFileOrReport(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                       const std::string& displayName, MessageSink& messages, FileSystem& files) {
    AtomicFile file(target, files);
    const bool ok = file.Open() && file.Write(bytes) && file.Commit();
    if (!ok) {
        messages.Show("Cannot create " + displayName);
    }
    return ok;
}

}  // namespace rollpath
