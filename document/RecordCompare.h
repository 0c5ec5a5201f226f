#pragma once

// Whether two records hold the same bits. The undo history keeps only the
// records an edit changed and writes them back exactly, so "the same" means
// every bit: 0.0 and -0.0 differ, a NaN equals itself. Records with padding
// are compared field by field, so that an unchanged one never looks changed.

#include <cstring>
#include <type_traits>
#include <vector>

#include "document/CappedList.h"
#include "document/Records.h"

namespace rollpath {

template <typename T>
requires std::is_trivially_copyable_v<T>
bool SameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

template <typename T>
requires std::is_trivially_copyable_v<T>
bool SameBits(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

bool SameRecord(const PolygonRecord& a, const PolygonRecord& b);
bool SameRecord(const NetworkVertex& a, const NetworkVertex& b);
bool SameRecord(const RollpathSegment& a, const RollpathSegment& b);
bool SameRecord(const TileGrid& a, const TileGrid& b);

}  // namespace rollpath
