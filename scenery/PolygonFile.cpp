#include "scenery/PolygonFile.h"

#include <cmath>
#include <string>

#include "document/AtomicFile.h"
#include "document/InstallPaths.h"
#include "document/RollpathDoc.h"
#include "geometry/PolygonMeasures.h"
#include "scenery/BinaryIO.h"
#include "scenery/Origin.h"
#include "scenery/PlausibleValues.h"
#include "scenery/PolygonFileDecoder.h"

namespace rollpath {
namespace {

constexpr const char* kBeginBanner = "<bgno> ========== BEGIN OBJECT ==========";
constexpr const char* kEndBanner = "<endo> ========== END OBJECT ==========";
constexpr const char* kTooManyVertices = "Maximum of 8192 polygon vertices exceeded";

int PoolTotal(const CRollpathDoc& doc) {
    int total = 0;
    for (const auto& polygon : doc.m_pPolygons) {
        if (polygon->live()) {
            total += polygon->count();
        }
    }
    return total;
}

}  // namespace

std::vector<std::uint8_t> EncodePolygonFile(CRollpathDoc& doc) {
    ByteWriter w;
    w.Text(kBeginBanner);
    w.Text("<orgn> ---- origin ----");
    WriteOriginPayload(w, doc.m_Airport.lat, doc.m_Airport.lon);

    w.Text("<vert> ---- vertex pool ----");
    w.I32(PoolTotal(doc));
    for (const auto& polygon : doc.m_pPolygons) {
        if (!polygon->live()) {
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
        if (!polygon->live()) {
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
    // The simulator gets the file as it is, but the editor will refuse to
    // read it back: say so now rather than at the next open.
    if (written && PoolTotal(doc) > static_cast<int>(kMaxPolygonFileVertices)) {
        doc.Messages().Show(kTooManyVertices);
    }
    return written;
}

bool WritePolygonFile(CRollpathDoc& doc) {
    return WritePolygonFile(doc, OutputDirectory(doc.GetSettings()));
}

void ReadPolygonFile(CRollpathDoc& doc, const std::filesystem::path& path, double latArcsec,
                     double lonArcsec) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) {
        return;
    }
    const std::string name = path.string();
    auto refuse = [&](const std::string& problem) { doc.Messages().Show(name + ": " + problem); };

    PolygonFileDecoder decoder(*bytes, kMaxPolygonFileVertices);
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
                doc.Messages().Show(kTooManyVertices);
                return;
            case DecodeStatus::Malformed:
                refuse(decoder.Problem());
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
                for (const std::int32_t k : r.indices) {
                    if (k < 0 || static_cast<std::size_t>(k) >= pool.size()) {
                        refuse("polygon refers to a missing vertex");
                        return;
                    }
                    const DPoint& p = pool[static_cast<std::size_t>(k)];
                    if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
                        refuse("polygon vertex is not a finite number");
                        return;
                    }
                    if (!PlausiblePosition(p.x) || !PlausiblePosition(p.y)) {
                        refuse("polygon vertex is more than 1000000 ft from the origin");
                        return;
                    }
                    points.push_back(p);
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
