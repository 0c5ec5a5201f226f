#include "support/FaultyFileSystem.h"

#include <utility>

namespace rollpath::testing {

class FaultyFile : public WritableFile {
public:
    FaultyFile(std::unique_ptr<WritableFile> real, FaultyFileSystem& owner)
        : real_(std::move(real)), owner_(owner) {}

    bool Write(std::span<const std::uint8_t> bytes) override {
        ++owner_.writes_;
        if (owner_.fault_ == FaultyFileSystem::Fault::Write && owner_.writes_ == owner_.failWrite_) {
            // A disk that filled up half way: part of the data got there.
            real_->Write(bytes.first(bytes.size() / 2));
            return false;
        }
        return real_->Write(bytes);
    }

    bool Close() override {
        const bool closed = real_->Close();
        return closed && owner_.fault_ != FaultyFileSystem::Fault::Close;
    }

private:
    std::unique_ptr<WritableFile> real_;
    FaultyFileSystem& owner_;
};

std::unique_ptr<WritableFile> FaultyFileSystem::Create(const std::filesystem::path& path) {
    if (fault_ == Fault::Create) {
        return nullptr;
    }
    auto real = RealFileSystem().Create(path);
    if (!real) {
        return nullptr;
    }
    return std::make_unique<FaultyFile>(std::move(real), *this);
}

bool FaultyFileSystem::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    ++renames_;
    if (fault_ == Fault::Rename) {
        return false;
    }
    return RealFileSystem().Rename(from, to);
}

void FaultyFileSystem::Remove(const std::filesystem::path& path) {
    RealFileSystem().Remove(path);
}

}  // namespace rollpath::testing
