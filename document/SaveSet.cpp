#include "document/SaveSet.h"

#include <utility>

#include "document/FolderListing.h"
#include "document/Utf8Path.h"

namespace rollpath {

SaveSet::~SaveSet() {
    for (Member& m : members_) {
        m.file->Discard();
    }
}

AtomicFile* SaveSet::Add(const std::filesystem::path& target, std::string words) {
    auto file = std::make_unique<AtomicFile>(target, files_);
    if (!file->Open()) {
        failure_ = FailureMessage(words, file->Failure());
        return nullptr;
    }
    members_.push_back(Member{std::move(file), std::move(words), {}, false});
    return members_.back().file.get();
}

bool SaveSet::Fail(const Member& member, const std::string& failure) {
    if (failure_.empty()) {
        failure_ = FailureMessage(member.words, failure);
    }
    return false;
}

bool SaveSet::Commit() {
    for (Member& m : members_) {
        if (!m.file->Finish()) {
            return Fail(m, m.file->Failure());
        }
    }
    for (Member& m : members_) {
        const std::filesystem::path& target = m.file->target();
        std::error_code reason;
        const bool exists = std::filesystem::exists(target, reason);
        reason.clear();
        if (exists) {
            std::filesystem::path kept = target;
            kept += ".rpold";
            if (!files_.Keep(target, kept, reason)) {
                RollBack();
                return Fail(m, Utf8FromPath(kept) + ": " + reason.message());
            }
            m.kept = kept;
        }
        if (!files_.Rename(m.file->temporary(), target, reason)) {
            RollBack();
            return Fail(m, Utf8FromPath(target) + ": " + reason.message());
        }
        m.replaced = true;
    }
    for (Member& m : members_) {
        if (!m.kept.empty()) {
            files_.Remove(m.kept);
            m.kept.clear();
        }
    }
    for (Member& m : members_) {
        NoteFileCreated(m.file->target());
    }
    members_.clear();
    return true;
}

// Puts back what the members already moved replaced: the kept content, or no
// file at all where there was none. A kept copy that cannot be moved back
// stays beside its file.
void SaveSet::RollBack() {
    for (auto m = members_.rbegin(); m != members_.rend(); ++m) {
        if (!m->replaced) {
            if (!m->kept.empty()) {
                files_.Remove(m->kept);
                m->kept.clear();
            }
            continue;
        }
        std::error_code reason;
        if (m->kept.empty()) {
            files_.Remove(m->file->target());
        } else if (files_.Rename(m->kept, m->file->target(), reason)) {
            m->kept.clear();
        }
        m->replaced = false;
    }
}

}  // namespace rollpath
