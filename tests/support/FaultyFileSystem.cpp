#include "support/FaultyFileSystem.h"

#include <utility>

namespace rollpath::testing {

class FaultyFile : public WritableFile {
public:
    FaultyFile(std::unique_ptr<WritableFile> real, FaultyFileSystem& owner, bool chosen)
        : real_(std::move(real)), owner_(owner), chosen_(chosen) {}

    bool Write(std::span<const std::uint8_t> bytes, std::error_code& reason) override {
        if (!chosen_) {
            return real_->Write(bytes, reason);
        }
        ++owner_.writes_;
        if (owner_.fault_ == FaultyFileSystem::Fault::Write && owner_.writes_ == owner_.failWrite_) {
            // A disk that filled up half way: part of the data got there.
            real_->Write(bytes.first(bytes.size() / 2), reason);
            reason = std::make_error_code(std::errc::no_space_on_device);
            return false;
        }
        return real_->Write(bytes, reason);
    }

    bool Close(std::error_code& reason) override {
        const bool closed = real_->Close(reason);
        if (closed && chosen_ && owner_.fault_ == FaultyFileSystem::Fault::Close) {
            reason = std::make_error_code(std::errc::io_error);
            return false;
        }
        return closed;
    }

private:
    std::unique_ptr<WritableFile> real_;
    FaultyFileSystem& owner_;
    bool chosen_;
};

bool FaultyFileSystem::Chosen(const std::filesystem::path& path) const {
    if (onlyFile_.empty()) {
        return true;
    }
    const std::string name = path.filename().string();
    return name == onlyFile_ || (name.starts_with(onlyFile_) && name[onlyFile_.size()] == '.');
}

std::unique_ptr<WritableFile> FaultyFileSystem::Create(const std::filesystem::path& path,
                                                       std::error_code& reason) {
    if (fault_ == Fault::Create && Chosen(path)) {
        reason = std::make_error_code(std::errc::permission_denied);
        return nullptr;
    }
    auto real = RealFileSystem().Create(path, reason);
    if (!real) {
        return nullptr;
    }
    return std::make_unique<FaultyFile>(std::move(real), *this, Chosen(path));
}

bool FaultyFileSystem::Rename(const std::filesystem::path& from, const std::filesystem::path& to,
                              std::error_code& reason) {
    if (!Chosen(to)) {
        return RealFileSystem().Rename(from, to, reason);
    }
    ++renames_;
    if (fault_ == Fault::Rename) {
        reason = std::make_error_code(std::errc::permission_denied);
        return false;
    }
    return RealFileSystem().Rename(from, to, reason);
}

bool FaultyFileSystem::Keep(const std::filesystem::path& file, const std::filesystem::path& copy,
                            std::error_code& reason) {
    return RealFileSystem().Keep(file, copy, reason);
}

void FaultyFileSystem::Remove(const std::filesystem::path& path) {
    RealFileSystem().Remove(path);
}

}  // namespace rollpath::testing
