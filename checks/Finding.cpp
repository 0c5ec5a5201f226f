#include "checks/Finding.h"

namespace rollpath {

const char* ObjectKindName(ObjectRef::Kind kind) {
    switch (kind) {
        case ObjectRef::Kind::Segment:
            return "segment";
        case ObjectRef::Kind::Vertex:
            return "vertex";
        case ObjectRef::Kind::Polygon:
            return "polygon";
        case ObjectRef::Kind::None:
            break;
    }
    return "none";
}

}  // namespace rollpath
