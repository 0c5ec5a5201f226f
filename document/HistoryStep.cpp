#include "document/HistoryStep.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>

#include "document/RecordCompare.h"
#include "document/RollpathDoc.h"

namespace rollpath {

namespace {

// Which list a replaced address belongs to.
enum ListTag { kSegments, kPolygons, kMarkings };

template <typename T>
std::vector<T*> Addresses(const RecordList<T>& list) {
    std::vector<T*> order;
    order.reserve(list.size());
    for (const auto& record : list) {
        order.push_back(record.get());
    }
    return order;
}

template <typename T>
void CaptureList(const RecordList<T>& list, ShadowList<T>& shadow) {
    shadow.order = Addresses(list);
    shadow.records.clear();
    shadow.records.reserve(list.size());
    for (const auto& record : list) {
        shadow.records.emplace(record.get(), *record);
    }
}

template <typename T>
OrderChange<T> Difference(const std::vector<T*>& before, const std::vector<T*>& after) {
    OrderChange<T> order;
    const std::size_t n = std::min(before.size(), after.size());
    while (order.prefix < n && before[order.prefix] == after[order.prefix]) {
        ++order.prefix;
    }
    while (order.prefix + order.suffix < n &&
           before[before.size() - 1 - order.suffix] == after[after.size() - 1 - order.suffix]) {
        ++order.suffix;
    }
    const auto middle = [&order](const std::vector<T*>& list) {
        return std::vector<T*>(list.begin() + static_cast<std::ptrdiff_t>(order.prefix),
                               list.end() - static_cast<std::ptrdiff_t>(order.suffix));
    };
    order.before = middle(before);
    order.after = middle(after);
    return order;
}

template <typename T>
ListChange<T> DiffList(RecordList<T>& list, ShadowList<T>& shadow, ListTag tag,
                       std::vector<ReplacedRecord>& replaced) {
    ListChange<T> change;
    std::vector<T*> order = Addresses(list);
    for (T* record : order) {
        const auto it = shadow.records.find(record);
        if (it == shadow.records.end()) {
            shadow.records.emplace(record, *record);
        } else if (!SameRecord(it->second, *record)) {
            change.records.push_back(RecordChange<T>{record, std::move(it->second), *record});
            it->second = *record;
        }
    }
    if (order == shadow.order) {
        return change;
    }
    OrderChange<T> difference = Difference(shadow.order, order);
    // A record the document let go of comes back from the copy, parked here.
    const std::unordered_set<const T*> kept(difference.after.begin(), difference.after.end());
    for (T*& record : difference.before) {
        if (kept.count(record) != 0) {
            continue;
        }
        auto node = shadow.records.extract(record);
        auto replacement = std::make_unique<T>(std::move(node.mapped()));
        replaced.push_back(ReplacedRecord{tag, record, replacement.get()});
        record = replacement.get();
        change.parked.push_back(std::move(replacement));
    }
    shadow.order = std::move(order);
    change.order = std::move(difference);
    return change;
}

template <typename T>
void ApplyList(ListChange<T>& change, RecordList<T>& list, ShadowList<T>& shadow, bool undo) {
    for (RecordChange<T>& r : change.records) {
        const T& value = undo ? r.before : r.after;
        *r.record = value;
        shadow.records[r.record] = value;
    }
    if (!change.order) {
        return;
    }
    const OrderChange<T>& order = *change.order;
    const std::vector<T*>& wanted = undo ? order.before : order.after;
    const auto first = list.begin() + static_cast<std::ptrdiff_t>(order.prefix);
    const auto last = list.end() - static_cast<std::ptrdiff_t>(order.suffix);
    std::unordered_map<const T*, std::unique_ptr<T>> loose;
    for (auto it = first; it != last; ++it) {
        T* record = it->get();
        loose.emplace(record, std::move(*it));
    }
    for (auto& record : change.parked) {
        shadow.records.emplace(record.get(), *record);
        T* address = record.get();
        loose.emplace(address, std::move(record));
    }
    change.parked.clear();
    std::vector<std::unique_ptr<T>> middle;
    middle.reserve(wanted.size());
    for (T* record : wanted) {
        if (auto node = loose.extract(record); !node.empty()) {
            middle.push_back(std::move(node.mapped()));
        }
    }
    for (auto& [address, record] : loose) {
        shadow.records.erase(address);
        change.parked.push_back(std::move(record));
    }
    const auto at = list.erase(first, last);
    list.insert(at, std::make_move_iterator(middle.begin()), std::make_move_iterator(middle.end()));
    shadow.order = Addresses(list);
}

template <typename T>
void RemapList(ListChange<T>& change, const ReplacedRecord& replaced) {
    T* to = static_cast<T*>(replaced.to);
    for (RecordChange<T>& r : change.records) {
        if (r.record == replaced.from) {
            r.record = to;
        }
    }
    if (change.order) {
        for (std::vector<T*>* side : {&change.order->before, &change.order->after}) {
            std::replace_if(
                side->begin(), side->end(), [&replaced](const T* r) { return r == replaced.from; }, to);
        }
    }
}

PoolChange DiffPool(const CRollpathDoc& doc, std::vector<NetworkVertex>& shadow) {
    PoolChange change;
    change.countBefore = static_cast<int>(shadow.size());
    change.countAfter = doc.m_nVertices;
    const int common = std::min(change.countBefore, change.countAfter);
    for (int i = 0; i < common; ++i) {
        NetworkVertex& copy = shadow[static_cast<std::size_t>(i)];
        const NetworkVertex& now = doc.Vertex(i);
        if (!SameRecord(copy, now)) {
            change.slots.push_back(SlotChange{i, std::move(copy), now});
            copy = now;
        }
    }
    for (int i = common; i < change.countBefore; ++i) {
        change.slots.push_back(
            SlotChange{i, std::move(shadow[static_cast<std::size_t>(i)]), NetworkVertex{}});
    }
    shadow.resize(static_cast<std::size_t>(change.countAfter));
    for (int i = common; i < change.countAfter; ++i) {
        shadow[static_cast<std::size_t>(i)] = doc.Vertex(i);
        change.slots.push_back(SlotChange{i, NetworkVertex{}, doc.Vertex(i)});
    }
    return change;
}

void ApplyPool(const PoolChange& change, CRollpathDoc& doc, std::vector<NetworkVertex>& shadow, bool undo) {
    if (change.Empty()) {
        return;
    }
    const int count = undo ? change.countBefore : change.countAfter;
    shadow.resize(static_cast<std::size_t>(count));
    for (const SlotChange& s : change.slots) {
        const NetworkVertex& value = undo ? s.before : s.after;
        doc.Vertex(s.slot) = value;
        if (s.slot < count) {
            shadow[static_cast<std::size_t>(s.slot)] = value;
        }
    }
    doc.m_nVertices = count;
}

std::vector<RollpathSegment*> ShadowSegments(DocumentShadow& shadow) {
    std::vector<RollpathSegment*> segments;
    segments.reserve(shadow.segments.order.size());
    for (const RollpathSegment* address : shadow.segments.order) {
        segments.push_back(&shadow.segments.records.at(address));
    }
    return segments;
}

void ApplyRenumbering(const RenumberingChange& change, CRollpathDoc& doc, DocumentShadow& shadow, bool undo) {
    const std::vector<RollpathSegment*> docSegments = Addresses(doc.m_pSegments);
    const std::vector<RollpathSegment*> shadowSegments = ShadowSegments(shadow);
    int shadowCount = static_cast<int>(shadow.pool.size());
    const PoolView docView{docSegments, doc.m_Vertices, doc.m_nVertices, doc.m_nSource, doc.m_nSink};
    const PoolView shadowView{shadowSegments, shadow.pool, shadowCount, shadow.scalars.source,
                              shadow.scalars.sink};
    if (undo == change.inverse) {
        RenumberForward(docView, change.plan);
        RenumberForward(shadowView, change.plan);
    } else {
        RenumberBackward(docView, change.plan, change.dropped);
        RenumberBackward(shadowView, change.plan, change.dropped);
    }
    shadow.pool.resize(static_cast<std::size_t>(shadowCount));
    ++doc.m_nPoolRenumbered;
}

}  // namespace

DocScalars CaptureScalars(const CRollpathDoc& doc) {
    DocScalars s;
    s.source = doc.m_nSource;
    s.sink = doc.m_nSink;
    s.bmpPath = doc.m_szBmpPath;
    s.bmpX = doc.m_nBmpX;
    s.bmpY = doc.m_nBmpY;
    s.bmpScale = doc.m_nBmpScale;
    s.rotation = doc.m_dRotation;
    s.tileGrid = doc.m_TileGrid;
    s.runwayClosed.reserve(doc.m_pRunways.size());
    for (const auto& runway : doc.m_pRunways) {
        s.runwayClosed.push_back(runway->closed);
    }
    return s;
}

bool SameScalars(const DocScalars& a, const DocScalars& b) {
    return a.source == b.source && a.sink == b.sink && a.bmpPath == b.bmpPath && a.bmpX == b.bmpX &&
           a.bmpY == b.bmpY && a.bmpScale == b.bmpScale && SameBits(a.rotation, b.rotation) &&
           SameRecord(a.tileGrid, b.tileGrid) && a.runwayClosed == b.runwayClosed;
}

void RestoreScalars(CRollpathDoc& doc, const DocScalars& s) {
    doc.m_nSource = s.source;
    doc.m_nSink = s.sink;
    doc.m_szBmpPath = s.bmpPath;
    doc.m_nBmpX = s.bmpX;
    doc.m_nBmpY = s.bmpY;
    doc.m_nBmpScale = s.bmpScale;
    doc.m_dRotation = s.rotation;
    doc.m_TileGrid = s.tileGrid;
    const std::size_t n = std::min(s.runwayClosed.size(), doc.m_pRunways.size());
    for (std::size_t i = 0; i < n; ++i) {
        doc.m_pRunways[i]->closed = s.runwayClosed[i];
    }
}

DocumentShadow CaptureShadow(CRollpathDoc& doc) {
    DocumentShadow shadow;
    CaptureList(doc.m_pSegments, shadow.segments);
    CaptureList(doc.m_pPolygons, shadow.polygons);
    CaptureList(doc.m_pMarkings, shadow.markings);
    shadow.pool.assign(doc.m_Vertices.begin(), doc.m_Vertices.begin() + doc.m_nVertices);
    shadow.scalars = CaptureScalars(doc);
    return shadow;
}

bool HistoryStep::Empty() const {
    return segments.Empty() && polygons.Empty() && markings.Empty() && pool.Empty() && !scalars &&
           !renumbering;
}

HistoryStep DiffDocument(CRollpathDoc& doc, DocumentShadow& shadow, std::vector<ReplacedRecord>& replaced) {
    HistoryStep step;
    step.segments = DiffList(doc.m_pSegments, shadow.segments, kSegments, replaced);
    step.polygons = DiffList(doc.m_pPolygons, shadow.polygons, kPolygons, replaced);
    step.markings = DiffList(doc.m_pMarkings, shadow.markings, kMarkings, replaced);
    step.pool = DiffPool(doc, shadow.pool);
    DocScalars now = CaptureScalars(doc);
    if (!SameScalars(now, shadow.scalars)) {
        step.scalars.emplace(std::move(shadow.scalars), now);
        shadow.scalars = std::move(now);
    }
    return step;
}

void ApplyStep(HistoryStep& step, CRollpathDoc& doc, DocumentShadow& shadow, bool undo) {
    if (step.renumbering) {
        ApplyRenumbering(*step.renumbering, doc, shadow, undo);
    }
    ApplyList(step.segments, doc.m_pSegments, shadow.segments, undo);
    ApplyList(step.polygons, doc.m_pPolygons, shadow.polygons, undo);
    ApplyList(step.markings, doc.m_pMarkings, shadow.markings, undo);
    ApplyPool(step.pool, doc, shadow.pool, undo);
    if (step.scalars) {
        const DocScalars& value = undo ? step.scalars->first : step.scalars->second;
        RestoreScalars(doc, value);
        shadow.scalars = value;
    }
    // The touched list named vertices of the state that was left.
    doc.ClearTouched();
}

void RemapRecord(HistoryStep& step, const ReplacedRecord& replaced) {
    switch (replaced.list) {
        case kSegments:
            RemapList(step.segments, replaced);
            break;
        case kPolygons:
            RemapList(step.polygons, replaced);
            break;
        default:
            RemapList(step.markings, replaced);
            break;
    }
}

HistoryStep RenumberShadow(DocumentShadow& shadow, PoolRenumbering plan) {
    HistoryStep step;
    step.silent = true;
    RenumberingChange change;
    for (int old = 0; old < plan.OldCount() && old < static_cast<int>(shadow.pool.size()); ++old) {
        if (plan.newIndex[static_cast<std::size_t>(old)] < 0) {
            change.dropped.emplace_back(old, std::move(shadow.pool[static_cast<std::size_t>(old)]));
        }
    }
    const std::vector<RollpathSegment*> segments = ShadowSegments(shadow);
    int count = static_cast<int>(shadow.pool.size());
    RenumberForward(PoolView{segments, shadow.pool, count, shadow.scalars.source, shadow.scalars.sink}, plan);
    shadow.pool.resize(static_cast<std::size_t>(count));
    change.plan = std::move(plan);
    step.renumbering = std::move(change);
    return step;
}

}  // namespace rollpath
