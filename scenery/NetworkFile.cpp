#include "scenery/NetworkFile.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "document/AtomicFile.h"
#include "document/InstallPaths.h"
#include "document/RollpathDoc.h"
#include "document/Utf8Path.h"
#include "scenery/BinaryIO.h"
#include "scenery/NetworkFileDecoder.h"
#include "scenery/Origin.h"
#include "scenery/PlausibleValues.h"
#include "scenery/ReadProblems.h"

namespace rollpath {

std::vector<std::uint8_t> EncodeNetworkFile(const CRollpathDoc& doc) {
    ByteWriter w;
    w.Tag("<bgno>");
    w.Tag("<orgn>");
    WriteOriginPayload(w, doc.m_Airport.lat, doc.m_Airport.lon);

    for (int i = 0; i < doc.m_nVertices; ++i) {
        const NetworkVertex& v = doc.Vertex(i);
        w.Tag("<node>");
        w.Tag("<bgno>");
        w.Tag("<vloc>");
        w.F64(v.x);
        w.F64(0.0);
        w.F64(v.y);
        // A vertex that is both source and sink is written as the source.
        if (i == doc.m_nSource) {
            w.Tag("<flow>");
            w.I32(1);
        } else if (i == doc.m_nSink) {
            w.Tag("<flow>");
            w.I32(2);
        }
        w.Tag("<endo>");
    }

    for (const auto& segment : doc.m_pSegments) {
        if (!segment->live()) {
            continue;
        }
        w.Tag("<edge>");
        w.I32(segment->vertex0);
        w.I32(segment->vertex1);
        w.Tag("<bgno>");
        w.Tag("<thck>");
        w.F32(segment->width);
        w.Tag("<type>");
        w.I32(segment->type);
        // The other flags travel in the side file.
        if ((segment->flags & SegmentFlag::NoPolygon) != 0) {
            w.Tag("<nply>");
        }
        w.Tag("<endo>");
    }

    w.Tag("<endo>");
    return w.bytes();
}

bool WriteNetworkFile(CRollpathDoc& doc, const std::filesystem::path& folder, FileSystem& files) {
    return WriteFileOrReport(folder / doc.m_szBgrName, EncodeNetworkFile(doc), doc.m_szBgrName,
                             doc.Messages(), files);
}

bool WriteNetworkFile(CRollpathDoc& doc) {
    return WriteNetworkFile(doc, OutputDirectory(doc.GetSettings()));
}

namespace {

// A coordinate no node of ours can have, mended to the nearest one it can.
double MendedPosition(double v, ReadProblems& problems) {
    if (PlausiblePosition(v)) {
        return v;
    }
    problems.Note(
        "node position is not within 1000000 ft of the origin; the node was moved to the nearest "
        "such position");
    return std::isnan(v) ? 0.0 : std::clamp(v, -kMaxFilePosition, kMaxFilePosition);
}

float MendedWidth(float width, ReadProblems& problems) {
    if (PlausibleWidth(width)) {
        return width;
    }
    problems.Note("edge width is not between 0 and 1000 ft; the edge got the nearest such width");
    return std::isnan(width) ? 0.0f : static_cast<float>(std::clamp<double>(width, 0.0, kMaxFileWidth));
}

}  // namespace

void ReadNetworkFile(CRollpathDoc& doc, const std::filesystem::path& path, double latArcsec,
                     double lonArcsec) {
    if (const auto bytes = ReadWholeFile(path)) {
        ReadNetworkFile(doc, *bytes, Utf8FromPath(path), latArcsec, lonArcsec);
    }
}

void ReadNetworkFile(CRollpathDoc& doc, std::span<const std::uint8_t> bytes, const std::string& name,
                     double latArcsec, double lonArcsec) {
    // One implausible record is mended or skipped; the records after it
    // still count.
    ReadProblems problems(doc.Messages(), name);

    NetworkFileDecoder decoder(bytes);
    NetworkRecord r;
    // Attribute records apply to the edge most recently read from this file;
    // any before the first edge, or after a skipped one, have nothing to
    // apply to and are ignored.
    RollpathSegment* latest = nullptr;
    for (;;) {
        const DecodeStatus status = decoder.Next(r);
        if (status == DecodeStatus::UnknownTag) {
            doc.Messages().Show(UnknownTokenMessage(r.tag));
            return;
        }
        // A record cut short by the end of the file is not applied.
        if (status != DecodeStatus::Record) {
            return;
        }
        switch (r.kind) {
            case NetworkTag::Begin:
            case NetworkTag::End:
            case NetworkTag::Node:
                break;
            case NetworkTag::Origin: {
                const ArcsecondOrigin origin{r.values[0], r.values[1]};
                if (!OriginWithinOneArcsecond(origin, latArcsec, lonArcsec)) {
                    doc.Messages().Show(name + " position is not within 1' of Airport");
                    return;
                }
                MoveBenchmarkTo(doc.m_Airport, origin);
                break;
            }
            case NetworkTag::Location: {
                // Mended rather than skipped: edges name nodes by their order.
                const double x = MendedPosition(r.values[0], problems);
                const double y = MendedPosition(r.values[2], problems);
                // AddVertex reports a full pool itself.
                if (doc.AddVertex(x, y, true) < 0) {
                    return;
                }
                // Reading a file is no edit: the touched list would only
                // overflow on a large network.
                doc.ClearTouched();
                break;
            }
            case NetworkTag::Flow:
                if (r.number == 1) {
                    doc.m_nSource = doc.m_nVertices - 1;
                } else {
                    doc.m_nSink = doc.m_nVertices - 1;
                }
                break;
            case NetworkTag::Edge: {
                const bool known = r.nodes[0] >= 0 && r.nodes[0] < doc.m_nVertices && r.nodes[1] >= 0 &&
                                   r.nodes[1] < doc.m_nVertices;
                latest = nullptr;
                if (!known) {
                    problems.Note("edge refers to a missing node; it was left out");
                    break;
                }
                RollpathSegment& segment = doc.AppendSegment();
                segment.type = SegmentType::RunwayCentreLine;
                segment.width = 0.0f;
                segment.extent0 = 75.0;
                segment.extent1 = 75.0;
                segment.vertex0 = r.nodes[0];
                segment.vertex1 = r.nodes[1];
                latest = &segment;
                break;
            }
            case NetworkTag::Thickness:
                if (latest != nullptr) {
                    latest->width = MendedWidth(r.width, problems);
                }
                break;
            case NetworkTag::Type:
                if (latest != nullptr) {
                    latest->type = r.number;
                }
                break;
            case NetworkTag::NoPolygon:
                if (latest != nullptr) {
                    latest->flags |= SegmentFlag::NoPolygon;
                }
                break;
        }
    }
}

}  // namespace rollpath
