#pragma once

// The files of one Save, replaced all together or not at all. Every member is
// written to its temporary file first; only when all of them are complete do
// they move over the old files, and should one move fail, the files already
// moved get their old content back. A half-saved airport, whose files no
// longer agree, cannot happen.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "document/AtomicFile.h"
#include "document/FileSystem.h"

namespace rollpath {

class SaveSet {
public:
    explicit SaveSet(FileSystem& files = RealFileSystem()) : files_(files) {}
    // The temporary files of a set not committed are removed.
    ~SaveSet();
    SaveSet(const SaveSet&) = delete;
    SaveSet& operator=(const SaveSet&) = delete;

    // A member: its temporary file is created at once. `words` starts the
    // message of its failure ("Cannot create KSFO.txp"). Nothing when the
    // temporary file cannot be created (see Failure).
    AtomicFile* Add(const std::filesystem::path& target, std::string words);

    // Closes every member and moves them all over their targets; false (see
    // Failure) when any could not be written, or moved, and then every target
    // is as it was.
    bool Commit();

    // The message of the first failure, naming the file, its path and the
    // system's reason.
    const std::string& Failure() const { return failure_; }

private:
    struct Member {
        std::unique_ptr<AtomicFile> file;
        std::string words;
        std::filesystem::path kept;  // the old content, while the set commits
        bool replaced = false;
    };

    bool Fail(const Member& member, const std::string& failure);
    void RollBack();

    FileSystem& files_;
    std::vector<Member> members_;
    std::string failure_;
};

}  // namespace rollpath
