#pragma once

// One mesh section of a tile while it is collected: the vertex table (each
// distinct position once, in order of first use) and the index list (for
// every polygon its corner count followed by its corner indices), the form
// WriteMeshSection takes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "geometry/DPoint.h"

namespace rollpath {

// The design's working capacities of one tile. The writer's buffers grow
// past them rather than leave anything of the user's scenery out.
inline constexpr std::size_t kTileVertexCapacity = 2048;
inline constexpr std::size_t kTileIndexWordCapacity = 8192;

// The lookup as the file format defines the table: the first entry whose x
// and y both equal p's exactly, or p appended. Linear in the table's size;
// VertexTable gives the same answers in constant time.
std::uint32_t FindOrAddVertex(const DPoint& p, std::vector<DPoint>& table);

// A vertex table with a hash of the exact coordinates. Every call returns
// the index FindOrAddVertex would return on the same sequence of points, and
// the table grows in the same order: equality is that of doubles, so -0.0
// meets 0.0 and a NaN coordinate never meets anything.
class VertexTable {
public:
    std::uint32_t FindOrAdd(const DPoint& p);
    void Clear();

    std::span<const DPoint> points() const { return points_; }
    std::size_t size() const { return points_.size(); }

private:
    struct Key {
        double x;
        double y;
        friend bool operator==(const Key&, const Key&) = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };

    std::vector<DPoint> points_;
    std::unordered_map<Key, std::uint32_t, KeyHash> index_;
};

struct TileMesh {
    VertexTable vertices;
    std::vector<std::uint32_t> indexWords;

    void Clear() {
        vertices.Clear();
        indexWords.clear();
    }
};

}  // namespace rollpath
