#pragma once

// The kinds of undoable edits and the names Edit > Undo and Redo give them.

#include <string>

#include "document/EditHistory.h"

namespace rollpath {

struct UndoKind {
    static constexpr int None = 0;
    static constexpr int SegmentsAdded = 1;  // a chain drawn by the rollpath tool
    static constexpr int VertexMoved = 2;
    static constexpr int SegmentDeleted = 4;
    static constexpr int PolygonAdded = 11;
    static constexpr int PolygonPointMoved = 12;
    static constexpr int PolygonMoved = 13;
    static constexpr int PolygonDeleted = 14;
    static constexpr int PolygonPasted = 15;
    static constexpr int SegmentSplit = 21;
    static constexpr int VertexRemoved = 22;
    static constexpr int PolygonPointInserted = 23;
    static constexpr int PolygonPointDeleted = 24;
    static constexpr int SegmentProperties = 31;
    static constexpr int VertexProperties = 32;
    static constexpr int RunwayProperties = 33;
    static constexpr int HoldMoved = 34;
    static constexpr int SourcePlaced = 41;
    static constexpr int SinkPlaced = 42;
    static constexpr int SourceCleared = 43;
    static constexpr int SinkCleared = 44;
    static constexpr int Straightened = 51;
    static constexpr int Rebuilt = 52;  // silent: goes with the edit before it
    static constexpr int MarkingMoved = 63;
    static constexpr int DiagramLoaded = 71;
    static constexpr int DiagramPositioned = 72;
    static constexpr int DiagramMoved = 73;
    static constexpr int Rotated = 81;
    static constexpr int GeoJsonImported = 91;
    static constexpr int Unnamed = kUnnamedEditKind;
};

// "Move Vertex", "Delete Polygon" ...; empty for None.
std::string UndoKindName(int kind);

// "&Undo Move Vertex\tCtrl+Z", or "&Undo\tCtrl+Z" when there is nothing.
std::string UndoMenuText(int kind);
std::string RedoMenuText(int kind);

}  // namespace rollpath
