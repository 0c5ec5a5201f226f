#pragma once

// The records of the airport last read from the archives, kept while both
// archives keep their sizes and modification times: opening the airport
// again, or making it anew, reads the archives once.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "simdata/LittleEndian.h"

namespace rollpath {

struct ArchiveStamp {
    std::filesystem::path path;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time;

    bool operator==(const ArchiveStamp&) const = default;
};

// Nothing when the file cannot be looked at.
std::optional<ArchiveStamp> StampOf(const std::filesystem::path& path);

// The airport's record and its runways' records, as the archives hold them.
struct ArchiveRecords {
    Bytes airport;
    std::vector<Bytes> runways;
};

// key: the archive kind and the code asked for; stamps: the airport and the
// runway archive.
std::optional<ArchiveRecords> CachedArchiveRecords(const std::string& key,
                                                   const std::array<ArchiveStamp, 2>& stamps);
void KeepArchiveRecords(const std::string& key, const std::array<ArchiveStamp, 2>& stamps,
                        const ArchiveRecords& records);

}  // namespace rollpath
