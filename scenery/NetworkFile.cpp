#include "scenery/NetworkFile.h"

#include <cmath>
#include <string>

#include "document/AtomicFile.h"
#include "document/InstallPaths.h"
#include "document/RollpathDoc.h"
#include "scenery/BinaryIO.h"
#include "scenery/NetworkFileDecoder.h"
#include "scenery/Origin.h"
#include "scenery/PlausibleValues.h"

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

void ReadNetworkFile(CRollpathDoc& doc, const std::filesystem::path& path, double latArcsec,
                     double lonArcsec) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) {
        return;
    }
    const std::string name = path.string();
    auto refuse = [&](const std::string& problem) { doc.Messages().Show(name + ": " + problem); };

    NetworkFileDecoder decoder(*bytes);
    NetworkRecord r;
    // Attribute records apply to the edge most recently read from this file;
    // any before the first edge have nothing to apply to and are ignored.
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
                doc.m_Airport.lat = LatitudeFromArcseconds(origin.lat);
                doc.m_Airport.lon = LongitudeFromArcseconds(origin.lon);
                break;
            }
            case NetworkTag::Location: {
                if (!std::isfinite(r.values[0]) || !std::isfinite(r.values[2])) {
                    refuse("node position is not a finite number");
                    return;
                }
                if (!PlausiblePosition(r.values[0]) || !PlausiblePosition(r.values[2])) {
                    refuse("node position is more than 1000000 ft from the origin");
                    return;
                }
                // AddVertex reports a full pool itself.
                if (doc.AddVertex(r.values[0], r.values[2], true) < 0) {
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
                if (!known) {
                    refuse("edge refers to a missing node");
                    return;
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
                    if (!std::isfinite(r.width)) {
                        refuse("edge width is not a finite number");
                        return;
                    }
                    if (!PlausibleWidth(r.width)) {
                        refuse("edge width is not between 0 and 1000 ft");
                        return;
                    }
                    latest->width = r.width;
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
