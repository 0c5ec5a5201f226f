#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "document/FileSystem.h"

namespace rollpath::testing {

// The real file system with one chosen operation failing, to check that a
// failed write leaves the old file intact and no temporary file behind.
class FaultyFileSystem : public FileSystem {
public:
    enum class Fault { None, Create, Write, Close, Rename };

    // With Fault::Write, the failWrite-th call to Write (counting from 1 over
    // every file created) fails. Given a name (the target of an atomic write,
    // e.g. "KPAO.tms"), only that file fails, and only its writes are counted.
    explicit FaultyFileSystem(Fault fault = Fault::None, int failWrite = 1, std::string onlyFile = {})
        : fault_(fault), failWrite_(failWrite), onlyFile_(std::move(onlyFile)) {}

    std::unique_ptr<WritableFile> Create(const std::filesystem::path& path, std::error_code& reason) override;
    bool Rename(const std::filesystem::path& from, const std::filesystem::path& to,
                std::error_code& reason) override;
    bool Keep(const std::filesystem::path& file, const std::filesystem::path& copy,
              std::error_code& reason) override;
    void Remove(const std::filesystem::path& path) override;

    int writes() const { return writes_; }
    int renames() const { return renames_; }

private:
    friend class FaultyFile;
    // The path is the file itself or its temporary file (name + suffix).
    bool Chosen(const std::filesystem::path& path) const;

    Fault fault_;
    int failWrite_;
    std::string onlyFile_;
    int writes_ = 0;
    int renames_ = 0;
};

}  // namespace rollpath::testing
