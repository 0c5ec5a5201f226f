#include "pavement/PavementWriter.h"

#include <array>

#include "document/AtomicFile.h"
#include "document/InstallPaths.h"
#include "pavement/PavementWriteContext.h"
#include "pavement/TileContent.h"
#include "pavement/TileLights.h"
#include "pavement/TileSections.h"
#include "scenery/BinaryIO.h"
#include "scenery/PavementSections.h"

namespace rollpath {

namespace {

constexpr std::array<MeshSection, 3> kSectionOrder{MeshSection::Pavement, MeshSection::EdgeMarkings,
                                                   MeshSection::CentreMarkings};

}  // namespace

void EncodePavementFile(CRollpathDoc& doc, const PavementBytesSink& sink) {
    PavementWriteContext context(doc);
    const TileGrid& grid = doc.m_TileGrid;
    // One part of the file at a time: the buffer keeps the size of the
    // largest tile instead of growing to the whole file.
    ByteWriter part;
    const auto flush = [&part, &sink]() {
        sink(part.bytes());
        part.clear();
    };
    WritePavementHeader(part, doc.m_Airport.lat, doc.m_Airport.lon, grid);
    flush();

    // Gathered once, when the first tile is written.
    bool gathered = false;
    std::array<SectionPieces, 3> sections;
    PlacedLightRows lights;
    TileMesh mesh;
    std::vector<TileLightPoint> points;
    std::vector<TileLightRun> runs;
    for (std::uint32_t column = 0; column < grid.columns; ++column) {
        for (std::uint32_t row = 0; row < grid.rows; ++row) {
            const ClipRect rect = TileRectangle(grid, column, row);
            if (!TileHasContent(doc, rect)) {
                continue;
            }
            if (!gathered) {
                GatherPavement(doc, sections[0]);
                GatherEdgeMarkings(context, sections[1]);
                GatherCentreMarkings(context, sections[2]);
                lights = PlaceLightRows(doc);
                gathered = true;
            }
            WriteTileStart(part, column, row);
            for (std::size_t k = 0; k < sections.size(); ++k) {
                EmitSection(context, mesh, sections[k], rect);
                WriteMeshSection(part, kSectionOrder[k], mesh.vertices.points(), mesh.indexWords);
            }
            CollectTileLights(lights, rect, points, runs);
            WriteLightSection(part, points, runs);
            WriteTileEnd(part);
            flush();
        }
    }
    WritePavementEnd(part);
    flush();
}

void EncodePavementFile(CRollpathDoc& doc, ByteWriter& writer) {
    EncodePavementFile(doc, [&writer](std::span<const std::uint8_t> bytes) { writer.Bytes(bytes); });
}

bool WritePavementFile(CRollpathDoc& doc, const std::filesystem::path& folder, FileSystem& files) {
    // The file is created before anything is generated: a Save that cannot
    // create it has nothing to report but that.
    AtomicFile file(folder / doc.m_szTmsName, files);
    bool ok = file.Open();
    if (ok) {
        // After a failed write the rest of the file is still generated, so
        // that the triangulation errors are those of the whole Save.
        EncodePavementFile(doc, [&file](std::span<const std::uint8_t> bytes) { file.Write(bytes); });
        ok = file.Commit();
    }
    if (!ok) {
        doc.Messages().Show(FailureMessage("Cannot create " + doc.m_szTmsName, file.Failure()));
    }
    return ok;
}

bool WritePavementFile(CRollpathDoc& doc) {
    return WritePavementFile(doc, OutputDirectory(doc.GetSettings()));
}

}  // namespace rollpath
