#include "cli/DocumentJson.h"

#include <span>

namespace rollpath::cli {

void WritePoint(JsonWriter& json, const DPoint& point) {
    json.BeginObject().Field("x", point.x).Field("y", point.y).EndObject();
}

void WriteAirportRecord(JsonWriter& json, const AirportRecord& airport) {
    json.BeginObject();
    json.Key("key").AnsiString(airport.key);
    json.Key("faaId").AnsiString(airport.faaId);
    json.Key("icaoId").AnsiString(airport.icaoId);
    json.Key("name").AnsiString(airport.name);
    json.Field("lat", airport.lat).Field("lon", airport.lon).Field("elevation", airport.elevation);
    json.EndObject();
}

void WriteRunways(JsonWriter& json, const CRollpathDoc& doc) {
    json.BeginArray();
    for (const auto& runway : doc.m_pRunways) {
        json.BeginObject();
        json.Key("name").AnsiString(runway->DisplayName());
        json.Key("id0").AnsiString(runway->id0);
        json.Key("id1").AnsiString(runway->id1);
        json.Field("length", runway->length).Field("width", runway->width);
        json.Field("surface", runway->surface).Field("surfaceName", SurfaceName(runway->SurfaceIndex()));
        json.Field("closed", runway->closed);
        json.Field("endAttr0", runway->endAttr0).Field("endAttr1", runway->endAttr1);
        json.Field("displaced0", runway->displaced0).Field("displaced1", runway->displaced1);
        json.Field("lat0", runway->lat0).Field("lon0", runway->lon0);
        json.Field("lat1", runway->lat1).Field("lon1", runway->lon1);
        json.Key("end0");
        WritePoint(json, runway->end0);
        json.Key("end1");
        WritePoint(json, runway->end1);
        json.Key("corners").BeginArray();
        for (const DPoint& corner : runway->corners) {
            WritePoint(json, corner);
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
}

void WriteSegments(JsonWriter& json, const CRollpathDoc& doc) {
    json.BeginArray();
    for (const auto& segment : doc.m_pSegments) {
        json.BeginObject();
        json.Field("type", segment->type).Field("width", segment->width);
        json.Field("flags", segment->flags).Field("state", segment->state);
        json.Field("extent0", segment->extent0).Field("extent1", segment->extent1);
        json.Field("vertex0", segment->vertex0).Field("vertex1", segment->vertex1);
        for (const int end : {0, 1}) {
            const int index = segment->VertexAt(end);
            json.Key(end == 0 ? "p0" : "p1");
            if (doc.IsLiveVertex(index)) {
                WritePoint(json, doc.Vertex(index).pos());
            } else {
                json.Null();
            }
        }
        json.EndObject();
    }
    json.EndArray();
}

namespace {

void WritePoints(JsonWriter& json, std::span<const DPoint> points) {
    json.BeginArray();
    for (const DPoint& p : points) {
        WritePoint(json, p);
    }
    json.EndArray();
}

template <typename Quads>
void WriteQuads(JsonWriter& json, const Quads& quads) {
    json.BeginArray();
    for (const Quad& q : quads) {
        WritePoints(json, q);
    }
    json.EndArray();
}

void WritePolygonRecord(JsonWriter& json, const PolygonRecord& polygon) {
    json.BeginObject();
    json.Field("kind", polygon.kind).Field("state", polygon.state);
    json.Key("points");
    WritePoints(json, polygon.points);
    json.EndObject();
}

template <typename Records>
void WritePolygonRecords(JsonWriter& json, const Records& records) {
    json.BeginArray();
    for (const auto& polygon : records) {
        WritePolygonRecord(json, *polygon);
    }
    json.EndArray();
}

void WriteVertex(JsonWriter& json, const NetworkVertex& v, int index) {
    json.BeginObject();
    json.Field("index", index).Field("x", v.x).Field("y", v.y);
    json.Field("flags", v.flags).Field("state", v.state);
    json.Key("junctionPolys").BeginArray();
    for (const GroundPolygon& polygon : v.junctionPolys) {
        WritePolygonRecord(json, polygon);
    }
    json.EndArray();
    json.Key("centreQuads");
    WriteQuads(json, v.centreQuads);
    json.Key("edgeQuads");
    WriteQuads(json, v.edgeQuads);
    json.Key("lightPts0").BeginArray();
    for (const DPoint& p : v.lightPts0) {
        WritePoint(json, p);
    }
    json.EndArray();
    json.Key("lightPts1").BeginArray();
    for (const DPoint& p : v.lightPts1) {
        WritePoint(json, p);
    }
    json.EndArray();
    json.EndObject();
}

void WriteFullSegment(JsonWriter& json, const RollpathSegment& s) {
    json.BeginObject();
    json.Field("type", s.type).Field("width", s.width).Field("flags", s.flags);
    json.Field("exitMask", s.exitMask).Field("reserved", s.reserved).Field("state", s.state);
    json.Field("extent0", s.extent0).Field("extent1", s.extent1);
    json.Field("vertex0", s.vertex0).Field("vertex1", s.vertex1);
    json.Field("endClass0", s.endClass0).Field("endClass1", s.endClass1);
    json.Key("outline");
    WritePoints(json, s.outline);
    json.Key("extensionCorners");
    WritePoints(json, s.extensionCorners);
    json.Key("centreStripe");
    WritePoints(json, s.centreStripe);
    json.Key("rightEdgeStripe");
    WritePoints(json, s.rightEdgeStripe);
    json.Key("leftEdgeStripe");
    WritePoints(json, s.leftEdgeStripe);
    json.Key("exitQuads");
    WriteQuads(json, s.exitQuads);
    json.Key("stub0");
    WritePoints(json, s.stub0);
    json.Key("stub1");
    WritePoints(json, s.stub1);
    json.Key("extensionEdgeStripes");
    WriteQuads(json, s.extensionEdgeStripes);
    json.Key("extensionMarks").BeginArray();
    for (const auto& mark : s.extensionMarks) {
        WritePoints(json, mark);
    }
    json.EndArray();
    json.Key("centreLightLine");
    WritePoints(json, s.centreLightLine);
    json.Key("rightLightLine");
    WritePoints(json, s.rightLightLine);
    json.Key("leftLightLine");
    WritePoints(json, s.leftLightLine);
    json.Key("throughLine");
    WritePoints(json, s.throughLine);
    json.EndObject();
}

void WriteLights(JsonWriter& json, const CRollpathDoc& doc) {
    json.BeginArray();
    for (const auto& light : doc.m_pLights) {
        json.BeginObject();
        json.Field("shape", light->shape).Field("lightClass", light->lightClass);
        json.Field("x", light->x).Field("y", light->y).Field("x1", light->x1).Field("y1", light->y1);
        json.Field("spacing", light->spacing);
        json.EndObject();
    }
    json.EndArray();
}

void WriteTileGrid(JsonWriter& json, const TileGrid& grid) {
    json.BeginObject();
    json.Field("columns", grid.columns).Field("rows", grid.rows).Field("side", grid.side);
    json.Key("lowerLeft").BeginArray();
    for (const double v : grid.lowerLeft) {
        json.Number(v);
    }
    json.EndArray();
    json.EndObject();
}

}  // namespace

void WriteDocument(JsonWriter& json, const CRollpathDoc& doc) {
    json.BeginObject();
    json.Key("code").AnsiString(doc.m_szCode);
    json.Key("txdName").AnsiString(doc.m_szTxdName);
    json.Key("txpName").AnsiString(doc.m_szTxpName);
    json.Key("bgrName").AnsiString(doc.m_szBgrName);
    json.Key("tmsName").AnsiString(doc.m_szTmsName);
    json.Key("bmpPath").AnsiString(doc.m_szBmpPath);
    json.Field("bmpX", doc.m_nBmpX).Field("bmpY", doc.m_nBmpY).Field("bmpScale", doc.m_nBmpScale);
    json.Field("rotation", doc.m_dRotation);
    json.Field("airportLoaded", doc.m_bAirportLoaded).Field("loadedFromTms", doc.m_bLoadedFromTms);
    json.Field("safeMode", doc.m_bSafeMode).Field("modified", doc.IsModified());
    json.Field("source", doc.m_nSource).Field("sink", doc.m_nSink);
    json.Key("airport");
    WriteAirportRecord(json, doc.m_Airport);
    json.Key("runways");
    WriteRunways(json, doc);
    json.Key("vertices").BeginArray();
    for (int k = 0; k < doc.m_nVertices; ++k) {
        WriteVertex(json, doc.Vertex(k), k);
    }
    json.EndArray();
    json.Key("segments").BeginArray();
    for (const auto& segment : doc.m_pSegments) {
        WriteFullSegment(json, *segment);
    }
    json.EndArray();
    json.Key("polygons");
    WritePolygonRecords(json, doc.m_pPolygons);
    json.Key("markings");
    WritePolygonRecords(json, doc.m_pMarkings);
    json.Key("lights");
    WriteLights(json, doc);
    json.Key("touched").BeginArray();
    for (int i = 0; i < doc.m_nTouched; ++i) {
        json.Int(doc.m_TouchedVertices[static_cast<std::size_t>(i)]);
    }
    json.EndArray();
    json.Key("tileGrid");
    WriteTileGrid(json, doc.m_TileGrid);
    json.Key("triErrors").BeginArray();
    for (const std::vector<DPoint>& polygon : doc.m_TriErrors) {
        WritePoints(json, polygon);
    }
    json.EndArray();
    json.EndObject();
}

}  // namespace rollpath::cli
