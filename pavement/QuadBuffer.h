#pragma once

// The scratch buffer of 100 quads into which the hold and blast-pad markings
// are written, by the tile writer and by the view alike.

#include <array>

#include "geometry/DPoint.h"

namespace rollpath {

inline constexpr int kMarkingBufferQuads = 100;

// What a caller shows (once per Save, say) when some marking did not fit:
// only a rollpath hundreds of feet wide or a blast pad miles long needs more.
inline constexpr const char* kMarkingCutMessage =
    "Marking has more than 100 pieces: only the first 100 are kept";

// A fixed buffer of quads. A marking that needs more than the buffer holds is
// cut: its first 100 quads are kept and the buffer remembers that it was cut.
class QuadBuffer {
public:
    // Appends q, or refuses it (and marks the buffer cut) when full.
    bool Add(const Quad& q) {
        if (count_ >= kMarkingBufferQuads) {
            cut_ = true;
            return false;
        }
        quads_[static_cast<std::size_t>(count_++)] = q;
        return true;
    }
    void Clear() {
        count_ = 0;
        cut_ = false;
    }
    bool Full() const { return count_ >= kMarkingBufferQuads; }
    // True when some quad was refused since the last Clear.
    bool Cut() const { return cut_; }
    int size() const { return count_; }
    const Quad& operator[](int i) const { return quads_[static_cast<std::size_t>(i)]; }
    const Quad* begin() const { return quads_.data(); }
    const Quad* end() const { return quads_.data() + count_; }

private:
    std::array<Quad, kMarkingBufferQuads> quads_{};
    int count_ = 0;
    bool cut_ = false;
};

}  // namespace rollpath
