// The airport diagram under the drawing: loading it, placing it in the world
// and drawing it, trimmed to the window.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "document/Records.h"
#include "document/Utf8Path.h"
#include "geometry/Geodesy.h"
#include "geometry/PolygonMeasures.h"
#include "geometry/PortableMath.h"
#include "view/RollpathView.h"

namespace rollpath {

namespace {

// At scale 100 the runways span 70 % of the image's width or height.
constexpr double kRunwaySpanFactor = 1.4285714285714286;
constexpr int kUnclippedLimit = 32767;

std::int64_t Abs64(std::int64_t v) {
    return v < 0 ? -v : v;
}

// a * b / c in 64 bits, truncated; 0 for c = 0.
std::int64_t MulDiv(std::int64_t a, std::int64_t b, std::int64_t c) {
    return c == 0 ? 0 : a * b / c;
}

FileOpenRequest DiagramFileRequest() {
    FileOpenRequest request;
    request.title = "Load Airport Diagram";
    request.filter = "Bitmap Files|*.bmp||";
    request.initialName = "*.bmp";
    request.defaultExtension = "bmp";
    request.hideReadOnly = true;
    return request;
}

}  // namespace

bool CRollpathView::OnDiagramCommand(CommandId id) {
    switch (id) {
        case CommandId::LoadDiagram:
            OnLoadDiagram();
            return true;
        case CommandId::PositionDiagram:
            OnPositionDiagram();
            return true;
        default:
            return false;
    }
}

std::optional<CommandUI> CRollpathView::UpdateDiagramCommandUI(CommandId id) const {
    switch (id) {
        case CommandId::LoadDiagram:
            return CommandUI{IsLoaded(), std::nullopt, std::nullopt};
        case CommandId::PositionDiagram:
            return CommandUI{m_bDiagramLoaded != 0 && m_bPositioning == 0, std::nullopt, std::nullopt};
        default:
            return std::nullopt;
    }
}

void CRollpathView::OnLoadDiagram() {
    const std::optional<std::string> path = m_Host.GetOpenFileName(DiagramFileRequest());
    if (!path) {
        return;
    }
    // The project list keeps the path in a field of this size, between
    // double quotes on one line.
    if (path->size() > static_cast<std::size_t>(kMaxPathLength)) {
        m_Host.Messages().Show("Cannot use the airport diagram " + *path + ": its path is longer than " +
                               std::to_string(kMaxPathLength) + " characters");
        return;
    }
    if (path->find_first_of("\"\r\n") != std::string::npos) {
        m_Host.Messages().Show(
            "Cannot use the airport diagram " + *path +
            ": its path holds a double quote or a line break, which the project list cannot keep");
        return;
    }
    m_Doc.m_szBmpPath = *path;
    LoadDiagram(*path);
    m_Doc.m_nBmpX = 0;
    m_Doc.m_nBmpY = 0;
    m_Doc.m_nBmpScale = 100;
    RefreshPositionDialog();
    CommitEdit(UndoKind::DiagramLoaded);
    m_Host.Invalidate();
}

void CRollpathView::OnPositionDiagram() {
    if (m_bPositionDialogOpen == 0) {
        PositionModel& dialog = PositionDialog();
        dialog.SetValues(m_Doc.m_nBmpX, m_Doc.m_nBmpY, m_Doc.m_nBmpScale);
        m_bPositionDialogOpen = 1;
        m_Host.ShowModeless(dialog);
    }
    m_bPositioning = 1;
    m_nDragState = DragState::Idle;
    m_Host.SetCursor(ViewCursor::Positioning);
    m_Host.Invalidate();
}

void CRollpathView::OnPositionMessage(int code, int value) {
    switch (code) {
        case PositionCode::Cancel:
        case PositionCode::Ok:
            ClosePositionDialog();
            m_nDragState = DragState::Idle;
            m_bPositioning = 0;
            m_Host.SetCursor(ViewCursor::Arrow);
            m_Host.Invalidate();
            break;
        case PositionCode::Horizontal:
            m_Doc.m_nBmpX = value;
            RecomputeAnchor();
            CommitEdit(UndoKind::DiagramPositioned);
            m_Host.Invalidate();
            break;
        case PositionCode::Vertical:
            m_Doc.m_nBmpY = value;
            RecomputeAnchor();
            CommitEdit(UndoKind::DiagramPositioned);
            m_Host.Invalidate();
            break;
        case PositionCode::Scale:
            m_Doc.m_nBmpScale = value;
            CommitEdit(UndoKind::DiagramPositioned);
            m_Host.Invalidate();
            break;
        default:
            break;
    }
}

PositionModel& CRollpathView::PositionDialog() {
    if (!m_pPositionDialog) {
        m_pPositionDialog =
            std::make_unique<PositionModel>([this](int code, int value) { OnPositionMessage(code, value); });
    }
    return *m_pPositionDialog;
}

void CRollpathView::RefreshPositionDialog() {
    if (m_bPositionDialogOpen != 0) {
        PositionDialog().SetValues(m_Doc.m_nBmpX, m_Doc.m_nBmpY, m_Doc.m_nBmpScale);
    }
}

void CRollpathView::ClosePositionDialog() {
    if (m_bPositionDialogOpen != 0) {
        m_bPositionDialogOpen = 0;
        m_Host.CloseModeless(PositionDialog());
    }
}

void CRollpathView::LoadDiagram(const std::string& path) {
    int width = 0;
    int height = 0;
    std::string problem;
    const int loaded = m_Bmp.Load(PathFromUtf8(path), width, height, problem);
    m_bDiagramLoaded = loaded;
    if (loaded == 0) {
        if (!problem.empty()) {
            m_Host.Messages().Show("Cannot read the airport diagram " + path + ": " + problem);
        }
        return;
    }
    m_nBmpWidth = width;
    m_nBmpHeight = height;
    m_dBmpAspect = static_cast<double>(height) / width;
    double minX = kScrollField;
    double minY = kScrollField;
    double maxX = -kScrollField;
    double maxY = -kScrollField;
    for (const auto& runway : m_Doc.m_pRunways) {
        for (const DPoint& p : runway->corners) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    m_dBmpBaseWidth = kRunwaySpanFactor * std::max(maxX - minX, maxY - minY);
    m_dAnchorLat = m_Doc.m_Airport.lat;
    m_dAnchorLon = m_Doc.m_Airport.lon;
}

void CRollpathView::RecomputeAnchor() {
    const double x = m_Doc.m_nBmpX;
    const double y = m_Doc.m_nBmpY;
    const double distance = std::sqrt(x * x + y * y) / kFeetPerNauticalMile;
    const double course = NormalizeAngle(90.0 - math::Atan2(y, x) * kRadToDeg, 360.0);
    DestinationPoint(m_Doc.m_Airport.lat, m_Doc.m_Airport.lon, course, distance, m_dAnchorLat, m_dAnchorLon);
}

void CRollpathView::DrawDiagram(Canvas& canvas) {
    const double s = m_Doc.m_nBmpScale * 0.01;
    const double widthFeet = m_dBmpBaseWidth * s;
    const double heightFeet = m_dBmpAspect * m_dBmpBaseWidth * s;
    std::int64_t w = MulDiv(RoundAwayFromZero(widthFeet), 10000, m_nZoom);
    std::int64_t h = MulDiv(RoundAwayFromZero(heightFeet), -10000, m_nZoom);
    if (w == 0 || h == 0) {
        return;
    }
    const LPoint anchor = GeoToLogical(m_dAnchorLat, m_dAnchorLon);
    std::int64_t x = anchor.x - w / 2;
    std::int64_t y = anchor.y - h / 2;
    std::int64_t sx = 0;
    std::int64_t sy = 0;
    std::int64_t sw = m_nBmpWidth;
    std::int64_t sh = m_nBmpHeight;

    std::int64_t xMin = -kUnclippedLimit;
    std::int64_t xMax = kUnclippedLimit;
    std::int64_t yMin = -kUnclippedLimit;
    std::int64_t yMax = kUnclippedLimit;
    if (m_Doc.GetSettings().PreciseClipping == 1) {
        const LPoint size = DeviceToLogical(DevicePoint{m_Client.width, m_Client.height});
        xMin = 0;
        xMax = size.x;
        yMin = size.y;
        yMax = 0;
    }
    // The trims keep the source rectangle in step with the destination.
    if (x < xMin) {
        sx = MulDiv(sw, Abs64(x), w);
        sw -= sx;
        w += x;
        x = 0;
    }
    if (x + w > xMax) {
        const std::int64_t e = x + w - xMax;
        sw -= MulDiv(sw, e, w);
        w -= e;
    }
    if (y > yMax) {
        sh -= MulDiv(sh, Abs64(y), Abs64(h));
        h += y;
        y = 0;
    }
    if (y + h < yMin) {
        const std::int64_t e = (y + h) - yMin;
        sy = MulDiv(sh, Abs64(e), Abs64(h));
        sh -= sy;
        h -= e;
    }
    if (w <= 0 || h >= 0 || sw <= 0 || sh <= 0) {
        return;
    }
    m_Bmp.Draw(&canvas, SaturateToInt(x), SaturateToInt(y), SaturateToInt(w), SaturateToInt(h),
               SaturateToInt(sx), SaturateToInt(sy), SaturateToInt(sw), SaturateToInt(sh));
}

}  // namespace rollpath
