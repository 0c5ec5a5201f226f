// What the Layout Checks panel asks of the view: centre a finding's place,
// select its object, open the object's properties.

#include <cmath>

#include "view/RollpathView.h"
#include "view/ViewColors.h"
#include "view/dialogs/PolygonPropertiesModel.h"

namespace rollpath {

namespace {

// Marked objects stand out from every drawing colour when inverted.
constexpr ColorRef kMarkedMagenta = 0xFF00FF;
// The mark around a vertex is twice a vertex mark.
constexpr int kMarkedVertexRadius = 2 * kMarkRadius;

}  // namespace

bool CRollpathView::ObjectExists(const ObjectRef& object) const {
    const auto inList = [](const auto& list, int index) {
        return index >= 0 && static_cast<std::size_t>(index) < list.size() &&
               list[static_cast<std::size_t>(index)]->live();
    };
    switch (object.kind) {
        case ObjectRef::Kind::Segment:
            return inList(m_Doc.m_pSegments, object.index);
        case ObjectRef::Kind::Polygon:
            return inList(m_Doc.m_pPolygons, object.index);
        case ObjectRef::Kind::Vertex:
            return m_Doc.IsLiveVertex(object.index);
        case ObjectRef::Kind::None:
            break;
    }
    return false;
}

void CRollpathView::CenterOnWorld(const DPoint& p) {
    SyncWithDocument();
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
        return;
    }
    DPoint turned = p;
    RotateWorldPoints(&turned, 1);
    const LPoint centre = DeviceToLogical(DevicePoint{m_Client.width / 2, m_Client.height / 2});
    const double k = UnitsPerFoot();
    m_nScrollX = SaturateToInt(std::llround(turned.x + kHalfField - centre.x / k));
    m_nScrollY = SaturateToInt(std::llround(centre.y / k - turned.y + kHalfField));
    UpdateScrollThumbs();
    UpdateVisibleArea();
    m_Host.Invalidate();
}

bool CRollpathView::SelectObject(const ObjectRef& object) {
    SyncWithDocument();
    m_MarkedObject = ObjectRef{};
    m_Host.Invalidate();
    if (!ObjectExists(object)) {
        return false;
    }
    if (object.kind == ObjectRef::Kind::Polygon) {
        m_pSelectedPolygon = m_Doc.m_pPolygons[static_cast<std::size_t>(object.index)].get();
    } else {
        m_MarkedObject = object;
    }
    return true;
}

void CRollpathView::ObjectProperties(const ObjectRef& object) {
    SyncWithDocument();
    if (!ObjectExists(object) || IsDragging()) {
        return;
    }
    switch (object.kind) {
        case ObjectRef::Kind::Segment:
            SegmentProperties(*m_Doc.m_pSegments[static_cast<std::size_t>(object.index)]);
            break;
        case ObjectRef::Kind::Vertex:
            VertexProperties(object.index);
            break;
        case ObjectRef::Kind::Polygon: {
            PolygonPropertiesModel dialog(*m_Doc.m_pPolygons[static_cast<std::size_t>(object.index)]);
            m_Host.RunDialog(dialog);
            break;
        }
        case ObjectRef::Kind::None:
            break;
    }
}

void CRollpathView::DrawMarkedObject(Canvas& canvas) {
    if (!ObjectExists(m_MarkedObject)) {
        return;
    }
    canvas.BeginLayer("marked");
    canvas.SetRasterOp(RasterOp::NotXorPen);
    if (m_MarkedObject.kind == ObjectRef::Kind::Segment) {
        const RollpathSegment& s = *m_Doc.m_pSegments[static_cast<std::size_t>(m_MarkedObject.index)];
        DrawFilledShape(canvas, s.outline.data(), static_cast<int>(s.outline.size()), kMarkedMagenta,
                        ClipRule::Piece);
    } else {
        const DPoint p = m_Doc.Vertex(m_MarkedObject.index).pos();
        LPoint l;
        ProjectPoints(1, &p, &l, true);
        canvas.SetBrush(kMarkedMagenta);
        canvas.Ellipse(LRect{l.x - kMarkedVertexRadius, l.y + kMarkedVertexRadius, l.x + kMarkedVertexRadius,
                             l.y - kMarkedVertexRadius});
    }
    canvas.SetRasterOp(RasterOp::CopyPen);
    canvas.EndLayer();
}

}  // namespace rollpath
