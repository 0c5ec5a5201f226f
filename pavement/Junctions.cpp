#include "pavement/Junctions.h"

namespace rollpath {

// First stage: a vertex's products are freed and not yet rebuilt; the
// junction construction replaces this body.
void ConstructVertexPolygons(CRollpathDoc& doc, int k) {
    if (doc.m_bSafeMode != 0 || k < 0 || k >= doc.m_nVertices) {
        return;
    }
    doc.Vertex(k).ClearProducts();
}

}  // namespace rollpath
