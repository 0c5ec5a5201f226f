#include "simdata/ArchiveRecordCache.h"

#include <mutex>
#include <system_error>

namespace rollpath {

namespace {

struct Entry {
    std::string key;
    std::array<ArchiveStamp, 2> stamps;
    ArchiveRecords records;
};

// One entry: the airport open in the editor.
std::mutex& CacheMutex() {
    static std::mutex mutex;
    return mutex;
}

std::optional<Entry>& CacheEntry() {
    static std::optional<Entry> entry;
    return entry;
}

}  // namespace

std::optional<ArchiveStamp> StampOf(const std::filesystem::path& path) {
    std::error_code ec;
    ArchiveStamp stamp;
    stamp.path = path;
    stamp.size = std::filesystem::file_size(path, ec);
    if (ec) {
        return std::nullopt;
    }
    stamp.time = std::filesystem::last_write_time(path, ec);
    if (ec) {
        return std::nullopt;
    }
    return stamp;
}

std::optional<ArchiveRecords> CachedArchiveRecords(const std::string& key,
                                                   const std::array<ArchiveStamp, 2>& stamps) {
    const std::lock_guard lock(CacheMutex());
    const std::optional<Entry>& entry = CacheEntry();
    if (entry && entry->key == key && entry->stamps == stamps) {
        return entry->records;
    }
    return std::nullopt;
}

void KeepArchiveRecords(const std::string& key, const std::array<ArchiveStamp, 2>& stamps,
                        const ArchiveRecords& records) {
    const std::lock_guard lock(CacheMutex());
    CacheEntry() = Entry{key, stamps, records};
}

}  // namespace rollpath
