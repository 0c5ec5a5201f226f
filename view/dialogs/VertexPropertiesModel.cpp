#include "view/dialogs/VertexPropertiesModel.h"

#include <string>

#include "view/LogicalGeometry.h"

namespace rollpath {

int CountVertexSegments(const CRollpathDoc& doc, int vertex) {
    int count = 0;
    for (const auto& segment : doc.m_pSegments) {
        if (segment->live() && (segment->vertex0 == vertex || segment->vertex1 == vertex)) {
            ++count;
        }
    }
    return count;
}

VertexPropertiesModel::VertexPropertiesModel(const CRollpathDoc& doc, int vertex)
    : DialogModel("Vertex Properties", kResource) {
    const NetworkVertex none;
    const NetworkVertex& v = vertex >= 0 && vertex < doc.m_nVertices ? doc.Vertex(vertex) : none;
    AddField(kNumber, "Number", std::to_string(vertex), true);
    AddField(kOffset, "Benchmark Offset",
             "x=" + std::to_string(TruncToInt(v.x)) + ", y=" + std::to_string(TruncToInt(v.y)), true);
    AddField(kRollpaths, "Rollpaths", std::to_string(CountVertexSegments(doc, vertex)), true);
    const char* flow = doc.m_nSink == vertex ? "Sink" : doc.m_nSource == vertex ? "Source" : "";
    AddField(kFlow, "Flow", flow, true);
    AddCheck(kNoPolygon, "No &Polygon", (v.flags & VertexFlag::NoPolygon) != 0);
    AddCheck(kNoMarkings, "No &Markings", (v.flags & VertexFlag::NoMarkings) != 0);
    AddCheck(kNoLighting, "No &Lighting", (v.flags & VertexFlag::NoLighting) != 0);
}

int VertexPropertiesModel::Flags() const {
    return (IsChecked(kNoPolygon) ? VertexFlag::NoPolygon : 0) |
           (IsChecked(kNoMarkings) ? VertexFlag::NoMarkings : 0) |
           (IsChecked(kNoLighting) ? VertexFlag::NoLighting : 0);
}

}  // namespace rollpath
