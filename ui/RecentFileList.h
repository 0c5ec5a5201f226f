#pragma once

// The recent-file list of the File menu: the four documents opened last,
// the most recent first.

#include <string>
#include <vector>

namespace rollpath {

class RecentFileList {
public:
    static constexpr std::size_t kSize = 4;

    // Puts a path first; an entry naming the same file (compared ignoring
    // case, as airport codes are) moves up rather than appearing twice.
    void Add(const std::string& path);
    // Drops the entry at an index (an entry that no longer opens).
    void Remove(std::size_t index);
    // Replaces the list, keeping the first four non-empty entries.
    void Assign(const std::vector<std::string>& entries);

    const std::vector<std::string>& Entries() const { return entries_; }
    bool Empty() const { return entries_.empty(); }

    // The menu text of an entry: "&1 KSFO"; an "&" in the name is doubled so
    // that it shows.
    static std::string MenuText(std::size_t index, const std::string& path);

private:
    std::vector<std::string> entries_;
};

}  // namespace rollpath
