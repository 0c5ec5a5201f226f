#pragma once

// What a layout check reports: which check, how grave, a message naming the
// objects, where it is (LocalFeet) and the object to select.

#include <string>

#include "checks/CheckCatalog.h"
#include "geometry/DPoint.h"

namespace rollpath {

// The object a finding is about, by its place in the document: a segment by
// its index in the segment list, a vertex by its pool index, a polygon by
// its index in the polygon list. Numbers go stale when the document changes
// (a Save renumbers the vertex pool); findings are made again after edits.
struct ObjectRef {
    enum class Kind { None, Segment, Vertex, Polygon };
    Kind kind = Kind::None;
    int index = -1;

    static ObjectRef Segment(int index) { return {Kind::Segment, index}; }
    static ObjectRef Vertex(int index) { return {Kind::Vertex, index}; }
    static ObjectRef Polygon(int index) { return {Kind::Polygon, index}; }
    friend bool operator==(const ObjectRef&, const ObjectRef&) = default;
};

// "segment", "vertex", "polygon" or "none".
const char* ObjectKindName(ObjectRef::Kind kind);

struct Finding {
    CheckId check = CheckId::Unreachable;
    Severity severity = Severity::Warning;
    std::string message;  // ANSI text, like every text of the core
    DPoint location;
    ObjectRef object;
    friend bool operator==(const Finding&, const Finding&) = default;
};

}  // namespace rollpath
