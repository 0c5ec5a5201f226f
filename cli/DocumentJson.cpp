#include "cli/DocumentJson.h"

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

}  // namespace rollpath::cli
