#include "view/UndoKinds.h"

#include <string_view>
#include <utility>

namespace rollpath {

namespace {

constexpr std::pair<int, std::string_view> kNames[] = {
    {UndoKind::SegmentsAdded, "New Rollpath"},
    {UndoKind::VertexMoved, "Move Vertex"},
    {UndoKind::SegmentDeleted, "Delete Rollpath"},
    {UndoKind::PolygonAdded, "New Polygon"},
    {UndoKind::PolygonPointMoved, "Move Polygon Point"},
    {UndoKind::PolygonMoved, "Move Polygon"},
    {UndoKind::PolygonDeleted, "Delete Polygon"},
    {UndoKind::PolygonPasted, "Paste"},
    {UndoKind::SegmentSplit, "Insert Vertex"},
    {UndoKind::VertexRemoved, "Delete Vertex"},
    {UndoKind::PolygonPointInserted, "Insert Polygon Point"},
    {UndoKind::PolygonPointDeleted, "Delete Polygon Point"},
    {UndoKind::SegmentProperties, "Rollpath Properties"},
    {UndoKind::VertexProperties, "Vertex Properties"},
    {UndoKind::RunwayProperties, "Runway Properties"},
    {UndoKind::HoldMoved, "Move Hold Bar"},
    {UndoKind::SourcePlaced, "Place Source"},
    {UndoKind::SinkPlaced, "Place Sink"},
    {UndoKind::SourceCleared, "Clear Source"},
    {UndoKind::SinkCleared, "Clear Sink"},
    {UndoKind::Straightened, "Straighten"},
    {UndoKind::Rebuilt, "Rebuild"},
    {UndoKind::MarkingMoved, "Move Marking"},
    {UndoKind::DiagramLoaded, "Load Diagram"},
    {UndoKind::DiagramPositioned, "Position Diagram"},
    {UndoKind::DiagramMoved, "Move Diagram"},
    {UndoKind::Rotated, "Rotate"},
    {UndoKind::GeoJsonImported, "Import GeoJSON"},
    {UndoKind::Unnamed, "Edit"},
};

std::string MenuText(std::string_view verb, int kind, std::string_view keys) {
    std::string text(verb);
    if (const std::string name = UndoKindName(kind); !name.empty()) {
        text += ' ';
        text += name;
    }
    text += '\t';
    text += keys;
    return text;
}

}  // namespace

std::string UndoKindName(int kind) {
    for (const auto& [k, name] : kNames) {
        if (k == kind) {
            return std::string(name);
        }
    }
    return kind == UndoKind::None ? std::string() : std::string("Edit");
}

std::string UndoMenuText(int kind) {
    return MenuText("&Undo", kind, "Ctrl+Z");
}

std::string RedoMenuText(int kind) {
    return MenuText("&Redo", kind, "Ctrl+Shift+Z");
}

}  // namespace rollpath
