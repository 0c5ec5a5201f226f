#include "scenery/SideFile.h"

#include <cmath>

#include "document/AtomicFile.h"
#include "document/RollpathDoc.h"
#include "scenery/BinaryIO.h"
#include "scenery/PlausibleValues.h"
#include "scenery/SideFileDecoder.h"

namespace rollpath {
namespace {

constexpr const char* kMismatch = "TXD file does not match BGR file";

RollpathSegment* FindSegment(CRollpathDoc& doc, int vertex0, int vertex1) {
    for (const auto& segment : doc.m_pSegments) {
        if (segment->vertex0 == vertex0 && segment->vertex1 == vertex1) {
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

}  // namespace

std::vector<std::uint8_t> EncodeSideFile(const CRollpathDoc& doc) {
    ByteWriter w;
    w.I32(static_cast<std::int32_t>(doc.m_pSegments.size()));
    for (const auto& segment : doc.m_pSegments) {
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
    const auto bytes = ReadWholeFile(path);
    if (!bytes) {
        return;
    }
    SideFileDecoder decoder(*bytes);
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
                RollpathSegment* segment = FindSegment(doc, s.vertex0, s.vertex1);
                // Hold distances that are not numbers, or absurdly long,
                // would poison the marking geometry.
                if (segment == nullptr || !PlausiblePosition(s.extent0) || !PlausiblePosition(s.extent1)) {
                    doc.Messages().Show(kMismatch);
                    return;
                }
                segment->flags = s.flags;
                segment->extent1 = s.extent1 == 0.0 ? 75.0 : s.extent1;
                segment->extent0 = s.extent0;
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
