#include "ui/RecentFileList.h"

#include <algorithm>
#include <cctype>

namespace rollpath {

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

void RecentFileList::Add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    std::erase_if(entries_, [&path](const std::string& e) { return SameName(e, path); });
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > kSize) {
        entries_.resize(kSize);
    }
}

void RecentFileList::Remove(std::size_t index) {
    if (index < entries_.size()) {
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

void RecentFileList::Assign(const std::vector<std::string>& entries) {
    entries_.clear();
    for (const std::string& e : entries) {
        if (!e.empty() && entries_.size() < kSize &&
            std::none_of(entries_.begin(), entries_.end(),
                         [&e](const std::string& f) { return SameName(f, e); })) {
            entries_.push_back(e);
        }
    }
}

std::string RecentFileList::MenuText(std::size_t index, const std::string& path) {
    // Appended piece by piece: "&" + a temporary string trips a false
    // overflow warning of gcc 12 at -O3.
    std::string text = "&";
    text += std::to_string(index + 1);
    text += ' ';
    for (const char c : path) {
        text += c;
        if (c == '&') {
            text += '&';
        }
    }
    return text;
}

}  // namespace rollpath
