// The mapping between LocalFeet, logical units and device pixels, and the
// operations that change it: centring, zoom, the model's extent and the
// visible area.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "geometry/Geodesy.h"
#include "geometry/PolygonMeasures.h"
#include "geometry/PortableMath.h"
#include "pavement/TileGrid.h"
#include "scenery/PlausibleValues.h"
#include "view/RollpathView.h"

namespace rollpath {

namespace {

// Device pixels to logical units at `dpi` pixels per inch, rounded to the
// nearest unit.
int PixelsToUnits(int pixels, int dpi) {
    if (dpi <= 0) {
        dpi = 96;
    }
    const std::int64_t scaled = static_cast<std::int64_t>(pixels) * 1000;
    const std::int64_t half = dpi / 2;
    const std::int64_t q = scaled >= 0 ? (scaled + half) / dpi : -((-scaled + half) / dpi);
    return SaturateToInt(q);
}

// RoundAwayFromZero for values well inside the int range, without branches.
inline int RoundAwayFromZeroNear(double v) {
    const int t = static_cast<int>(v);
    return t + static_cast<int>(v > t) - static_cast<int>(v < t);
}

// Turns a logical point about the benchmark: back to unrotated feet, turn,
// forward again.
void TurnLogical(LPoint& p, double sine, double cosine, double k, int sx, int sy) {
    const double x = p.x / k + sx - kHalfField;
    const double y = p.y / k - sy + kHalfField;
    const double xr = x * cosine - y * sine;
    const double yr = x * sine + y * cosine;
    p.x = RoundHalfUp(k * (xr + kHalfField - sx));
    p.y = RoundHalfUp(k * (yr + sy - kHalfField));
}

int AddSaturated(int a, int b) {
    return SaturateToInt(static_cast<std::int64_t>(a) + b);
}
int SubtractSaturated(int a, int b) {
    return SaturateToInt(static_cast<std::int64_t>(a) - b);
}

}  // namespace

LPoint CRollpathView::DeviceToLogical(DevicePoint p) const {
    return LPoint{PixelsToUnits(p.x, m_Host.LogicalDpiX()), -PixelsToUnits(p.y, m_Host.LogicalDpiY())};
}

LPoint CRollpathView::BenchmarkLogical() const {
    const double k = UnitsPerFoot();
    return LPoint{RoundHalfUp(k * (kHalfField - m_nScrollX)), RoundHalfUp(k * (m_nScrollY - kHalfField))};
}

void CRollpathView::ProjectPoints(int n, const DPoint* points, LPoint* out, bool rotate) const {
    if (!m_Projection || m_Projection->zoom != m_nZoom || m_Projection->scrollX != m_nScrollX ||
        m_Projection->scrollY != m_nScrollY) {
        m_Projection = Projection{m_nZoom, m_nScrollX, m_nScrollY, UnitsPerFoot(), BenchmarkLogical()};
    }
    const double k = m_Projection->unitsPerFoot;
    const LPoint origin = m_Projection->origin;
    // Below this neither the rounding nor the sum with the origin can leave
    // the int range, so neither needs its checks: every point of a paint
    // goes through here.
    constexpr int kNear = 1 << 30;
    const bool nearOrigin = origin.x > -kNear && origin.x < kNear && origin.y > -kNear && origin.y < kNear;
    for (int i = 0; i < n; ++i) {
        const double x = k * points[i].x;
        const double y = k * points[i].y;
        if (nearOrigin && std::fabs(x) < kNear && std::fabs(y) < kNear) [[likely]] {
            out[i].x = RoundAwayFromZeroNear(x) + origin.x;
            out[i].y = RoundAwayFromZeroNear(y) + origin.y;
        } else {
            out[i].x = AddSaturated(RoundAwayFromZero(x), origin.x);
            out[i].y = AddSaturated(RoundAwayFromZero(y), origin.y);
        }
    }
    if (rotate && m_Doc.m_dRotation != 0.0) {
        for (int i = 0; i < n; ++i) {
            TurnLogical(out[i], m_dSin, m_dCos, k, m_nScrollX, m_nScrollY);
        }
    }
}

LPoint CRollpathView::GeoToLogical(double lat, double lon) const {
    double course = 0.0;
    double distance = 0.0;
    CourseAndDistance(m_Doc.m_Airport.lat, m_Doc.m_Airport.lon, lat, lon, course, distance);
    const double a = NormalizeAngle(90.0 - course, 360.0) * kDegToRad;
    const double f = distance * kFeetPerNauticalMile;
    const double k = UnitsPerFoot();
    return LPoint{RoundHalfUp(k * (f * math::Cos(a) + kHalfField - m_nScrollX)),
                  RoundHalfUp(k * (f * math::Sin(a) - kHalfField + m_nScrollY))};
}

void CRollpathView::RotateLogical(LPoint& p) const {
    if (m_Doc.m_dRotation == 0.0) {
        return;
    }
    TurnLogical(p, m_dSin, m_dCos, UnitsPerFoot(), m_nScrollX, m_nScrollY);
}

void CRollpathView::UnrotateLogical(LPoint& p) const {
    if (m_Doc.m_dRotation == 0.0) {
        return;
    }
    const double t = -m_Doc.m_dRotation * kDegToRad;
    TurnLogical(p, math::Sin(t), math::Cos(t), UnitsPerFoot(), m_nScrollX, m_nScrollY);
}

void CRollpathView::RotateWorldPoints(DPoint* points, int n) const {
    if (m_Doc.m_dRotation == 0.0) {
        return;
    }
    for (int i = 0; i < n; ++i) {
        const double x = points[i].x;
        const double y = points[i].y;
        points[i].x = x * m_dCos - y * m_dSin;
        points[i].y = x * m_dSin + y * m_dCos;
    }
}

DPoint CRollpathView::WindowToWorld(DevicePoint p) const {
    LPoint l = DeviceToLogical(p);
    UnrotateLogical(l);
    const double k = UnitsPerFoot();
    // Nothing the mouse places may lie where no file of ours can keep it.
    return WithinFileBounds(DPoint{l.x / k + m_nScrollX - kHalfField, l.y / k - m_nScrollY + kHalfField});
}

void CRollpathView::CenterAt(DevicePoint p) {
    const LPoint d = DeviceToLogical(DevicePoint{m_Client.width / 2 - p.x, m_Client.height / 2 - p.y});
    const double k = UnitsPerFoot();
    m_nScrollX = SubtractSaturated(m_nScrollX, RoundHalfUp(d.x / k));
    m_nScrollY = AddSaturated(m_nScrollY, RoundHalfUp(d.y / k));
    UpdateScrollThumbs();
    UpdateVisibleArea();
    m_Host.Invalidate();
}

void CRollpathView::SetZoom(int zoom) {
    ZoomAbout(zoom, DevicePoint{m_Client.width / 2, m_Client.height / 2});
}

void CRollpathView::ZoomAbout(int zoom, DevicePoint anchor) {
    // The offsets move, in whole feet, by how far the anchor's world point
    // slid, turned as the drawing is turned: it stays under the anchor.
    const DPoint before = WindowToWorld(anchor);
    m_nZoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    const DPoint after = WindowToWorld(anchor);
    DPoint slid{before.x - after.x, before.y - after.y};
    RotateWorldPoints(&slid, 1);
    m_nScrollX = SaturateToInt(static_cast<std::int64_t>(m_nScrollX) + std::llround(slid.x));
    m_nScrollY = SaturateToInt(static_cast<std::int64_t>(m_nScrollY) - std::llround(slid.y));
    UpdateScrollThumbs();
    UpdateStatusValues();
    UpdateVisibleArea();
    m_Host.Invalidate();
}

namespace {

// kWheelZoomFactor to the power -notches, in 128ths of a notch (touchpads
// send parts of one): the 128th root comes from square roots, which round
// the same everywhere, so no library power whose last bits vary is needed.
double WheelScale(double notches) {
    double root = kWheelZoomFactor;
    for (int i = 0; i < 7; ++i) {
        root = std::sqrt(root);
    }
    const long steps = std::lround(std::clamp(notches, -64.0, 64.0) * 128.0);
    const double step = steps > 0 ? 1.0 / root : root;
    double scale = 1.0;
    for (long i = 0; i < std::labs(steps); ++i) {
        scale *= step;
    }
    return scale;
}

}  // namespace

void CRollpathView::OnMouseWheel(DevicePoint pointer, double notches) {
    SyncWithDocument();
    if (!IsLoaded() || !std::isfinite(notches) || notches == 0.0) {
        return;
    }
    const double zoom = m_nZoom * WheelScale(notches);
    ZoomAbout(static_cast<int>(std::clamp(std::round(zoom), 0.0, static_cast<double>(kMaxZoom))), pointer);
}

// A window that changes size keeps the world point at its centre there.
void CRollpathView::KeepCentreOnResize(DeviceSize before) {
    const LPoint a = DeviceToLogical(DevicePoint{before.width, before.height});
    const LPoint b = DeviceToLogical(DevicePoint{m_Client.width, m_Client.height});
    const double k = UnitsPerFoot();
    m_ResizeRest.x += (static_cast<double>(a.x) - b.x) / (2.0 * k);
    m_ResizeRest.y += (static_cast<double>(b.y) - a.y) / (2.0 * k);
    const double dx = std::round(m_ResizeRest.x);
    const double dy = std::round(m_ResizeRest.y);
    m_ResizeRest.x -= dx;
    m_ResizeRest.y -= dy;
    m_nScrollX = SaturateToInt(m_nScrollX + static_cast<std::int64_t>(dx));
    m_nScrollY = SaturateToInt(m_nScrollY + static_cast<std::int64_t>(dy));
    UpdateScrollThumbs();
    m_Host.Invalidate();
}

double CRollpathView::ComputeModelExtent() {
    const TileGridUpdate grid = ComputeTileGrid(m_Doc);
    if (grid.changed && m_bShowGrid != 0) {
        m_Host.Invalidate();
    }
    return grid.extent;
}

void CRollpathView::UpdateVisibleArea() {
    const LPoint size = DeviceToLogical(DevicePoint{m_Client.width, m_Client.height});
    const LPoint o = BenchmarkLogical();
    const double k = UnitsPerFoot();
    double left = -o.x / k;
    double right = (static_cast<double>(size.x) - o.x) / k;
    double top = -o.y / k;
    double bottom = (static_cast<double>(size.y) - o.y) / k;
    const double mx = kVisibleMargin * (right - left);
    const double my = kVisibleMargin * (top - bottom);
    m_VisibleArea = ClipRect{left - mx, right + mx, top + my, bottom - my};
}

void CRollpathView::UpdateScrollThumbs() {
    int min = 0;
    int max = 0;
    m_Host.GetScrollRange(ScrollBar::Vertical, min, max);
    m_Host.SetScrollPos(ScrollBar::Vertical, TruncToInt(static_cast<double>(m_nScrollY) / kScrollField * max),
                        true);
    m_Host.GetScrollRange(ScrollBar::Horizontal, min, max);
    m_Host.SetScrollPos(ScrollBar::Horizontal,
                        TruncToInt(static_cast<double>(m_nScrollX) / kScrollField * max), true);
}

void CRollpathView::UpdateStatusValues() {
    m_Host.SetStatusValues(m_dRollpathWidth, m_nZoom / 10, m_Doc.m_dRotation);
}

void CRollpathView::InitialFit() {
    const double extent = ComputeModelExtent();
    const LPoint size = DeviceToLogical(DevicePoint{m_Client.width, m_Client.height});
    // A window of no size fits nothing: it gets the largest zoom value.
    const double m = std::max(
        1.0, std::min(std::fabs(static_cast<double>(size.x)), std::fabs(static_cast<double>(size.y))));
    const std::int64_t zoom = std::int64_t{100} * TruncToInt(0.5 + 120.0 * extent / m);
    m_nZoom = static_cast<int>(std::clamp<std::int64_t>(zoom, kMinZoom, kMaxZoom));
    const LPoint c = DeviceToLogical(DevicePoint{m_Client.width / 2, m_Client.height / 2});
    const double k = UnitsPerFoot();
    m_nScrollX = TruncToInt(kHalfField - c.x / k);
    m_nScrollY = TruncToInt(c.y / k + kHalfField);
    m_Host.SetScrollRange(ScrollBar::Horizontal, 0, kScrollBarMax, false);
    m_Host.SetScrollRange(ScrollBar::Vertical, 0, kScrollBarMax, false);
    UpdateScrollThumbs();
}

void CRollpathView::CacheRotation() {
    const double t = m_Doc.m_dRotation * kDegToRad;
    m_dSin = math::Sin(t);
    m_dCos = math::Cos(t);
}

}  // namespace rollpath
