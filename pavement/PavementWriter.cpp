#include "pavement/PavementWriter.h"

#include "document/AtomicFile.h"
#include "document/InstallPaths.h"
#include "pavement/PavementWriteContext.h"
#include "pavement/TileContent.h"
#include "pavement/TileLights.h"
#include "pavement/TileSections.h"
#include "scenery/BinaryIO.h"
#include "scenery/PavementSections.h"

namespace rollpath {

void EncodePavementFile(CRollpathDoc& doc, ByteWriter& writer) {
    PavementWriteContext context(doc);
    const TileGrid& grid = doc.m_TileGrid;
    WritePavementHeader(writer, doc.m_Airport.lat, doc.m_Airport.lon, grid);

    const PlacedLightRows rows = PlaceLightRows(doc);
    TileMesh mesh;
    std::vector<TileLightPoint> points;
    std::vector<TileLightRun> runs;
    for (std::uint32_t column = 0; column < grid.columns; ++column) {
        for (std::uint32_t row = 0; row < grid.rows; ++row) {
            const ClipRect rect = TileRectangle(grid, column, row);
            if (!TileHasContent(doc, rect)) {
                continue;
            }
            WriteTileStart(writer, column, row);
            CollectPavement(context, mesh, rect);
            WriteMeshSection(writer, MeshSection::Pavement, mesh.vertices.points(), mesh.indexWords);
            CollectEdgeMarkings(context, mesh, rect);
            WriteMeshSection(writer, MeshSection::EdgeMarkings, mesh.vertices.points(), mesh.indexWords);
            CollectCentreMarkings(context, mesh, rect);
            WriteMeshSection(writer, MeshSection::CentreMarkings, mesh.vertices.points(), mesh.indexWords);
            CollectTileLights(doc, rows, rect, points, runs);
            WriteLightSection(writer, points, runs);
            WriteTileEnd(writer);
        }
    }
    WritePavementEnd(writer);
}

bool WritePavementFile(CRollpathDoc& doc, const std::filesystem::path& folder, FileSystem& files) {
    // The file is created before anything is generated, as a Save that
    // cannot write it has nothing to report but that.
    AtomicFile file(folder / doc.m_szTmsName, files);
    bool ok = file.Open();
    if (ok) {
        ByteWriter writer;
        EncodePavementFile(doc, writer);
        ok = file.Write(writer.bytes()) && file.Commit();
    }
    if (!ok) {
        doc.Messages().Show("Cannot create " + doc.m_szTmsName);
    }
    return ok;
}

bool WritePavementFile(CRollpathDoc& doc) {
    return WritePavementFile(doc, OutputDirectory(doc.GetSettings()));
}

}  // namespace rollpath
