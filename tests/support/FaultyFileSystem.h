#pragma once

#include <filesystem>
#include <memory>

#include "document/FileSystem.h"

namespace rollpath::testing {

// The real file system with one chosen operation failing, to check that a
// failed write leaves the old file intact and no temporary file behind.
class FaultyFileSystem : public FileSystem {
public:
    enum class Fault { None, Create, Write, Close, Rename };

    // With Fault::Write, the failWrite-th call to Write (counting from 1 over
    // every file created) fails.
    explicit FaultyFileSystem(Fault fault = Fault::None, int failWrite = 1)
        : fault_(fault), failWrite_(failWrite) {}

    std::unique_ptr<WritableFile> Create(const std::filesystem::path& path) override;
    bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    void Remove(const std::filesystem::path& path) override;

    int writes() const { return writes_; }
    int renames() const { return renames_; }

private:
    friend class FaultyFile;
    Fault fault_;
    int failWrite_;
    int writes_ = 0;
    int renames_ = 0;
};

}  // namespace rollpath::testing
