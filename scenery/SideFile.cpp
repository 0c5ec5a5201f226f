#include "scenery/SideFile.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "document/AtomicFile.h"
#include "document/RollpathDoc.h"
#include "document/Utf8Path.h"
#include "scenery/BinaryIO.h"
#include "scenery/PlausibleValues.h"
#include "scenery/ReadProblems.h"
#include "scenery/SideFileDecoder.h"

namespace rollpath {
namespace {

constexpr const char* kMismatch = "TXD file does not match BGR file";

// The first segment joining the two vertices that no earlier record matched,
// so that two segments between the same vertices each get their own record.
RollpathSegment* FindSegment(CRollpathDoc& doc, int vertex0, int vertex1,
                             std::unordered_set<const RollpathSegment*>& matched) {
    for (const auto& segment : doc.m_pSegments) {
        if (segment->vertex0 == vertex0 && segment->vertex1 == vertex1 && !matched.contains(segment.get())) {
            matched.insert(segment.get());
            return segment.get();
        }
    }
    return nullptr;
}

NetworkVertex* FindVertex(CRollpathDoc& doc, double x, double y) {
    for (int i = 0; i < doc.m_nVertices; ++i) {
        NetworkVertex& v = doc.Vertex(i);
        if (v.x == x && v.y == y) {
            return &v;
        }
    }
    return nullptr;
}

// Hold distances that are not numbers, or absurdly long, would poison the
// marking geometry: they get the distance of a new segment.
double MendedExtent(double extent, ReadProblems& problems) {
    if (std::isfinite(extent) && std::fabs(extent) <= kMaxFileExtent) {
        return extent;
    }
    problems.Note("hold distance is no plausible number of feet; it was set to 75 ft");
    return 75.0;
}

}  // namespace

std::vector<std::uint8_t> EncodeSideFile(const CRollpathDoc& doc) {
    ByteWriter w;
    // Exactly the edges of the network file, in its order: deleted segments
    // hold vertex numbers from before the pool was compacted.
    const auto live = std::count_if(doc.m_pSegments.begin(), doc.m_pSegments.end(),
                                    [](const auto& segment) { return segment->live(); });
    w.I32(static_cast<std::int32_t>(live));
    for (const auto& segment : doc.m_pSegments) {
        if (!segment->live()) {
            continue;
        }
        w.I32(segment->vertex0);
        w.I32(segment->vertex1);
        w.I32(segment->flags);
        w.I32(0);
        w.F64(segment->extent1);
        w.F64(segment->extent0);
    }
    w.I32(doc.m_nVertices);
    for (int i = 0; i < doc.m_nVertices; ++i) {
        const NetworkVertex& v = doc.Vertex(i);
        w.F64(v.x);
        w.F64(v.y);
        w.I32(v.flags);
        w.I32(0);
        w.I32(0);
        w.I32(0);
    }
    return w.bytes();
}

bool WriteSideFile(CRollpathDoc& doc, const std::filesystem::path& folder, FileSystem& files) {
    return WriteFileOrReport(folder / doc.m_szTxdName, EncodeSideFile(doc), doc.m_szTxdName, doc.Messages(),
                             files);
}

bool WriteSideFile(CRollpathDoc& doc) {
    return WriteSideFile(doc, doc.ProgramDir());
}

void ReadSideFile(CRollpathDoc& doc, const std::filesystem::path& path) {
    if (const auto bytes = ReadWholeFile(path)) {
        ReadSideFile(doc, *bytes, Utf8FromPath(path));
    }
}

void ReadSideFile(CRollpathDoc& doc, std::span<const std::uint8_t> bytes, const std::string& name) {
    ReadProblems problems(doc.Messages(), name);
    std::unordered_set<const RollpathSegment*> matched;
    SideFileDecoder decoder(bytes);
    SideFileRecord r;
    for (;;) {
        const DecodeStatus status = decoder.Next(r);
        if (status == DecodeStatus::End) {
            return;
        }
        // A count or record cut short is as much a mismatch as a wrong one.
        if (status != DecodeStatus::Record) {
            doc.Messages().Show(kMismatch);
            return;
        }
        switch (r.kind) {
            case SideRecordKind::SegmentCount:
            case SideRecordKind::VertexCount:
                break;
            case SideRecordKind::Segment: {
                const SideSegmentRecord& s = r.segment;
                RollpathSegment* segment = FindSegment(doc, s.vertex0, s.vertex1, matched);
                if (segment == nullptr) {
                    doc.Messages().Show(kMismatch);
                    return;
                }
                segment->flags = s.flags;
                segment->extent1 = s.extent1 == 0.0 ? 75.0 : MendedExtent(s.extent1, problems);
                segment->extent0 = MendedExtent(s.extent0, problems);
                break;
            }
            case SideRecordKind::Vertex: {
                NetworkVertex* vertex = FindVertex(doc, r.vertex.x, r.vertex.y);
                if (vertex == nullptr) {
                    doc.Messages().Show(kMismatch);
                    return;
                }
                vertex->flags = r.vertex.flags;
                break;
            }
        }
    }
}

}  // namespace rollpath
