#include "document/FolderListing.h"

#include <chrono>
#include <map>
#include <mutex>
#include <system_error>

#include "document/Utf8Path.h"

namespace rollpath {

namespace {

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

struct Listing {
    std::filesystem::file_time_type stamp;
    // Listed within the clock step in which the folder last changed: another
    // change in that step leaves the time as it is, so the listing is not
    // trusted (file systems stamp by a coarse clock).
    bool racy = true;
    std::map<std::string, std::string> byLowerName;  // the least name of each
};

constexpr std::chrono::seconds kRacyWithin{2};

void Insert(Listing& listing, std::string name) {
    auto [at, inserted] = listing.byLowerName.try_emplace(LowerAscii(name), name);
    if (!inserted && name < at->second) {
        at->second = std::move(name);
    }
}

std::optional<Listing> ListFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    Listing listing;
    listing.stamp = std::filesystem::last_write_time(folder, ec);
    if (ec) {
        return std::nullopt;
    }
    std::filesystem::directory_iterator it(folder, ec);
    if (ec) {
        return std::nullopt;
    }
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec) {
            break;
        }
        Insert(listing, Utf8FromPath(it->path().filename()));
    }
    listing.racy = std::filesystem::file_time_type::clock::now() - listing.stamp < kRacyWithin;
    return listing;
}

// Batch builds may run airports on several threads.
class Listings {
public:
    std::optional<std::string> Find(const std::filesystem::path& folder, std::string_view name) {
        std::error_code ec;
        const std::filesystem::file_time_type stamp = std::filesystem::last_write_time(folder, ec);
        if (ec) {
            return std::nullopt;
        }
        const std::lock_guard lock(mutex_);
        auto kept = listings_.find(folder);
        if (kept == listings_.end() || kept->second.stamp != stamp || kept->second.racy) {
            std::optional<Listing> fresh = ListFolder(folder);
            if (!fresh) {
                return std::nullopt;
            }
            kept = listings_.insert_or_assign(folder, std::move(*fresh)).first;
        }
        const auto found = kept->second.byLowerName.find(LowerAscii(name));
        if (found == kept->second.byLowerName.end()) {
            return std::nullopt;
        }
        return found->second;
    }

    void Note(const std::filesystem::path& file) {
        const std::lock_guard lock(mutex_);
        const auto kept = listings_.find(file.parent_path());
        if (kept == listings_.end()) {
            return;
        }
        std::error_code ec;
        const std::filesystem::file_time_type stamp = std::filesystem::last_write_time(kept->first, ec);
        if (ec) {
            listings_.erase(kept);
            return;
        }
        // Only Save's own files came and went since the folder was listed
        // (a change by another program in the same moment is missed until
        // the folder changes again: the exact name is then used).
        Insert(kept->second, Utf8FromPath(file.filename()));
        kept->second.stamp = stamp;
        kept->second.racy = false;
    }

private:
    std::mutex mutex_;
    std::map<std::filesystem::path, Listing> listings_;
};

Listings& KeptListings() {
    static Listings listings;
    return listings;
}

}  // namespace

std::optional<std::string> FindInFolderIgnoringCase(const std::filesystem::path& folder,
                                                    std::string_view name) {
    return KeptListings().Find(folder, name);
}

void NoteFileCreated(const std::filesystem::path& file) {
    KeptListings().Note(file);
}

}  // namespace rollpath
