#include "document/PoolRenumbering.h"

#include <algorithm>

#include "document/RollpathDoc.h"

namespace rollpath {

bool PoolRenumbering::Identity() const {
    for (std::size_t i = 0; i < newIndex.size(); ++i) {
        if (newIndex[i] != static_cast<int>(i)) {
            return false;
        }
    }
    return deleted.empty() && sourceBefore == sourceAfter && sinkBefore == sinkAfter;
}

PoolRenumbering PlanCompaction(const CRollpathDoc& doc) {
    PoolRenumbering r;
    const int count = doc.m_nVertices;
    const auto valid = [count](int v) { return v >= 0 && v < count; };
    std::vector<bool> deleted(doc.m_pSegments.size(), false);
    for (std::size_t i = 0; i < doc.m_pSegments.size(); ++i) {
        const RollpathSegment& s = *doc.m_pSegments[i];
        // A live segment without its vertices cannot be written; only a
        // damaged file could have made one.
        const bool broken = !valid(s.vertex0) || !valid(s.vertex1);
        if (s.live() && (s.vertex0 == s.vertex1 || broken)) {
            deleted[i] = true;
            r.deleted.emplace_back(static_cast<int>(i), s.state);
        }
    }
    r.newIndex.assign(static_cast<std::size_t>(count), -1);
    for (std::size_t i = 0; i < doc.m_pSegments.size(); ++i) {
        const RollpathSegment& s = *doc.m_pSegments[i];
        if (!s.live() || deleted[i]) {
            continue;
        }
        for (const int old : {s.vertex0, s.vertex1}) {
            int& slot = r.newIndex[static_cast<std::size_t>(old)];
            if (slot < 0) {
                slot = r.newCount++;
            }
        }
    }
    const auto renumber = [&](int index) {
        return valid(index) ? r.newIndex[static_cast<std::size_t>(index)] : -1;
    };
    r.sourceBefore = doc.m_nSource;
    r.sinkBefore = doc.m_nSink;
    r.sourceAfter = renumber(doc.m_nSource);
    r.sinkAfter = renumber(doc.m_nSink);
    return r;
}

namespace {

// A pool as roomy as the old one, so that vertices added later never move it.
std::vector<NetworkVertex> RoomLike(const std::vector<NetworkVertex>& pool, std::size_t size) {
    std::vector<NetworkVertex> fresh;
    fresh.reserve(std::max(pool.capacity(), size));
    fresh.resize(size);
    return fresh;
}

}  // namespace

void RenumberForward(const PoolView& view, const PoolRenumbering& r) {
    for (const auto& [position, state] : r.deleted) {
        view.segments[static_cast<std::size_t>(position)]->state = -1;
    }
    std::vector<NetworkVertex> fresh =
        RoomLike(view.pool, std::max(view.pool.size(), static_cast<std::size_t>(r.newCount)));
    for (int old = 0; old < r.OldCount(); ++old) {
        const int slot = r.newIndex[static_cast<std::size_t>(old)];
        if (slot >= 0) {
            fresh[static_cast<std::size_t>(slot)] = std::move(view.pool[static_cast<std::size_t>(old)]);
        }
    }
    for (RollpathSegment* s : view.segments) {
        if (s->live()) {
            s->vertex0 = r.newIndex[static_cast<std::size_t>(s->vertex0)];
            s->vertex1 = r.newIndex[static_cast<std::size_t>(s->vertex1)];
        }
    }
    view.pool = std::move(fresh);
    view.count = r.newCount;
    view.source = r.sourceAfter;
    view.sink = r.sinkAfter;
}

void RenumberBackward(const PoolView& view, const PoolRenumbering& r,
                      std::span<const std::pair<int, NetworkVertex>> dropped) {
    std::vector<int> oldIndex(static_cast<std::size_t>(r.newCount), -1);
    for (int old = 0; old < r.OldCount(); ++old) {
        if (const int slot = r.newIndex[static_cast<std::size_t>(old)]; slot >= 0) {
            oldIndex[static_cast<std::size_t>(slot)] = old;
        }
    }
    for (RollpathSegment* s : view.segments) {
        if (s->live()) {
            s->vertex0 = oldIndex[static_cast<std::size_t>(s->vertex0)];
            s->vertex1 = oldIndex[static_cast<std::size_t>(s->vertex1)];
        }
    }
    for (const auto& [position, state] : r.deleted) {
        view.segments[static_cast<std::size_t>(position)]->state = state;
    }
    std::vector<NetworkVertex> fresh =
        RoomLike(view.pool, std::max(view.pool.size(), static_cast<std::size_t>(r.OldCount())));
    for (int slot = 0; slot < r.newCount; ++slot) {
        fresh[static_cast<std::size_t>(oldIndex[static_cast<std::size_t>(slot)])] =
            std::move(view.pool[static_cast<std::size_t>(slot)]);
    }
    for (const auto& [old, record] : dropped) {
        fresh[static_cast<std::size_t>(old)] = record;
    }
    view.pool = std::move(fresh);
    view.count = r.OldCount();
    view.source = r.sourceBefore;
    view.sink = r.sinkBefore;
}

}  // namespace rollpath
