#include "pavement/TileMesh.h"

#include <bit>
#include <cmath>

namespace rollpath {

std::uint32_t FindOrAddVertex(const DPoint& p, std::vector<DPoint>& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].x == p.x && table[i].y == p.y) {
            return static_cast<std::uint32_t>(i);
        }
    }
    table.push_back(p);
    return static_cast<std::uint32_t>(table.size() - 1);
}

std::size_t VertexTable::KeyHash::operator()(const Key& key) const {
    // Keys never hold -0.0 (see FindOrAdd), so equal keys have equal bits.
    const std::uint64_t x = std::bit_cast<std::uint64_t>(key.x);
    const std::uint64_t y = std::bit_cast<std::uint64_t>(key.y);
    std::uint64_t h = x * 0x9E3779B97F4A7C15ULL ^ (y + 0x632BE59BD9B4E019ULL + (x << 6) + (x >> 2));
    h ^= h >> 31;
    return static_cast<std::size_t>(h);
}

std::uint32_t VertexTable::FindOrAdd(const DPoint& p) {
    const auto next = static_cast<std::uint32_t>(points_.size());
    // A NaN equals nothing, itself included: the linear search appends it
    // every time, and so does this table, without a key that would break the
    // map's equality.
    if (std::isnan(p.x) || std::isnan(p.y)) {
        points_.push_back(p);
        return next;
    }
    // Adding 0.0 turns -0.0 into 0.0 and changes no other value.
    const Key key{p.x + 0.0, p.y + 0.0};
    const auto [it, added] = index_.try_emplace(key, next);
    if (added) {
        points_.push_back(p);
    }
    return it->second;
}

void VertexTable::Clear() {
    points_.clear();
    index_.clear();
}

}  // namespace rollpath
