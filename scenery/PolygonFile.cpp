#include "scenery/PolygonFile.h"

#include <cmath>
#include <string>

#include "document/AtomicFile.h"
#include "document/InstallPaths.h"
#include "document/RollpathDoc.h"
#include "document/Utf8Path.h"
#include "geometry/PolygonMeasures.h"
#include "scenery/BinaryIO.h"
#include "scenery/Origin.h"
#include "scenery/PlausibleValues.h"
#include "scenery/PolygonFileDecoder.h"
#include "scenery/ReadProblems.h"

namespace rollpath {
namespace {

constexpr const char* kBeginBanner = "<bgno> ========== BEGIN OBJECT ==========";
constexpr const char* kEndBanner = "<endo> ========== END OBJECT ==========";
// Pavement read from a pavement file is no ground polygon of the author's.
bool Written(const GroundPolygon& polygon) {
    return polygon.live() && polygon.kind != PolygonKind::Pavement;
}

}  // namespace

int PolygonFileCorners(const CRollpathDoc& doc) {
    int total = 0;
    for (const auto& polygon : doc.m_pPolygons) {
        if (Written(*polygon)) {
            total += polygon->count();
        }
    }
    return total;
}

std::vector<std::uint8_t> EncodePolygonFile(CRollpathDoc& doc) {
    ByteWriter w;
    w.Text(kBeginBanner);
    w.Text("<orgn> ---- origin ----");
    WriteOriginPayload(w, doc.m_Airport.lat, doc.m_Airport.lon);

    w.Text("<vert> ---- vertex pool ----");
    w.I32(PolygonFileCorners(doc));
    for (const auto& polygon : doc.m_pPolygons) {
        if (!Written(*polygon)) {
            continue;
        }
        if (PolygonArea(polygon->points.data(), polygon->count()) > 0.0) {
            ReversePolygon(polygon->points.data(), polygon->count());
        }
        for (const DPoint& p : polygon->points) {
            w.F64(p.x);
            w.F64(0.0);
            w.F64(p.y);
        }
    }

    // Each corner has its own pool entry, so the indices simply run on.
    std::int32_t next = 0;
    for (const auto& polygon : doc.m_pPolygons) {
        if (!Written(*polygon)) {
            continue;
        }
        w.Text("<poly> ---- polygon ----");
        w.Text(kBeginBanner);
        w.Text("<pvrt> ---- vertex reference list ----");
        w.I32(polygon->count());
        for (int i = 0; i < polygon->count(); ++i) {
            w.I32(next++);
        }
        w.Text(kEndBanner);
    }
    w.Text(kEndBanner);
    return w.bytes();
}

bool WritePolygonFile(CRollpathDoc& doc, const std::filesystem::path& folder, FileSystem& files) {
    const bool written = WriteFileOrReport(folder / doc.m_szTxpName, EncodePolygonFile(doc), doc.m_szTxpName,
                                           doc.Messages(), files);
    if (written && PolygonFileCorners(doc) > kMaxPolygonFileVertices) {
        doc.Messages().Show(kTooManyPolygonVerticesMessage);
    }
    return written;
}

bool WritePolygonFile(CRollpathDoc& doc) {
    return WritePolygonFile(doc, OutputDirectory(doc.GetSettings()));
}

void ReadPolygonFile(CRollpathDoc& doc, const std::filesystem::path& path, double latArcsec,
                     double lonArcsec) {
    if (const auto bytes = ReadWholeFile(path)) {
        ReadPolygonFile(doc, *bytes, Utf8FromPath(path), latArcsec, lonArcsec);
    }
}

void ReadPolygonFile(CRollpathDoc& doc, std::span<const std::uint8_t> bytes, const std::string& name,
                     double latArcsec, double lonArcsec) {
    ReadProblems problems(doc.Messages(), name);

    // No limit on the pool: whatever a writer wrote is read.
    PolygonFileDecoder decoder(bytes);
    PolygonFileRecord r;
    std::vector<DPoint> pool;  // the latest "<vert>" record's vertices
    bool automatic = false;
    for (;;) {
        const DecodeStatus status = decoder.Next(r);
        switch (status) {
            case DecodeStatus::Record:
                break;
            case DecodeStatus::UnknownTag:
                doc.Messages().Show(UnknownTokenMessage(r.tag));
                return;
            case DecodeStatus::OverLimit:
            case DecodeStatus::Malformed:
                problems.Note(decoder.Problem());
                return;
            case DecodeStatus::End:
            case DecodeStatus::Truncated:
                return;
        }
        switch (r.kind) {
            case PolygonTag::Begin:
            case PolygonTag::End:
                break;
            case PolygonTag::Origin: {
                if (r.origin[0] == 0.0) {
                    return;
                }
                if (!OriginWithinOneArcsecond({r.origin[0], r.origin[1]}, latArcsec, lonArcsec)) {
                    doc.Messages().Show(name + " position is not within 1' of Airport");
                    return;
                }
                break;
            }
            case PolygonTag::VertexPool:
                pool.clear();
                for (const auto& v : r.vertices) {
                    pool.push_back({v[0], v[2]});
                }
                break;
            case PolygonTag::Polygon:
                automatic = false;
                break;
            case PolygonTag::Automatic:
                automatic = true;
                break;
            case PolygonTag::References: {
                std::vector<DPoint> points;
                points.reserve(r.indices.size());
                std::string problem;
                for (const std::int32_t k : r.indices) {
                    if (k < 0 || static_cast<std::size_t>(k) >= pool.size()) {
                        problem = "polygon refers to a missing vertex; it was left out";
                        break;
                    }
                    const DPoint& p = pool[static_cast<std::size_t>(k)];
                    if (!PlausiblePosition(p.x) || !PlausiblePosition(p.y)) {
                        problem =
                            "polygon vertex is not a position within 1000000 ft of the origin; the polygon "
                            "was left out";
                        break;
                    }
                    points.push_back(p);
                }
                if (!problem.empty()) {
                    problems.Note(problem);
                    break;
                }
                GroundPolygon& polygon = doc.AppendPolygon();
                polygon.kind = automatic ? PolygonKind::Automatic : PolygonKind::Ordinary;
                polygon.points = std::move(points);
                polygon.state = 0;
                break;
            }
        }
    }
}

}  // namespace rollpath
