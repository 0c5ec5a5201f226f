#include "sessions/DocumentDiff.h"

#include <array>
#include <charconv>
#include <map>
#include <vector>

namespace rollpath::testing {

namespace {

// Shortest round-trip text, whatever the locale.
std::string Num(double v) {
    std::array<char, 64> buffer{};
    const auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
    return std::string(buffer.data(), r.ptr);
}

std::string Hex(int v) {
    std::array<char, 16> buffer{};
    const auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<unsigned>(v), 16);
    return "0x" + std::string(buffer.data(), r.ptr);
}

std::string Point(const DPoint& p) {
    return "(" + Num(p.x) + ", " + Num(p.y) + ")";
}

// The network as Save writes it.
struct SavedNetwork {
    std::vector<const RollpathSegment*> segments;  // live, in list order
    std::vector<int> vertices;                     // pool index by number of first use
    std::map<int, int> numbers;                    // number by pool index
    int source = -1;
    int sink = -1;
    std::vector<const GroundPolygon*> polygons;  // live, in list order

    int NumberOf(int pool) const {
        const auto it = numbers.find(pool);
        return it == numbers.end() ? -1 : it->second;
    }
};

SavedNetwork Saved(const CRollpathDoc& doc) {
    SavedNetwork net;
    const auto valid = [&doc](int v) { return v >= 0 && v < doc.m_nVertices; };
    for (const auto& s : doc.m_pSegments) {
        if (!s->live() || s->vertex0 == s->vertex1 || !valid(s->vertex0) || !valid(s->vertex1)) {
            continue;
        }
        net.segments.push_back(s.get());
        for (const int v : {s->vertex0, s->vertex1}) {
            if (net.numbers.emplace(v, static_cast<int>(net.vertices.size())).second) {
                net.vertices.push_back(v);
            }
        }
    }
    net.source = net.NumberOf(doc.m_nSource);
    net.sink = net.NumberOf(doc.m_nSink);
    for (const auto& p : doc.m_pPolygons) {
        if (p->live()) {
            net.polygons.push_back(p.get());
        }
    }
    return net;
}

template <typename T>
std::optional<std::string> Differ(const std::string& what, const T& a, const T& b, std::string shownA,
                                  std::string shownB) {
    if (a == b) {
        return std::nullopt;
    }
    return what + " " + shownA + " then " + shownB;
}

std::optional<std::string> Text(const std::string& what, const std::string& a, const std::string& b) {
    return Differ(what, a, b, "\"" + a + "\"", "\"" + b + "\"");
}

std::optional<std::string> Int(const std::string& what, long long a, long long b) {
    return Differ(what, a, b, std::to_string(a), std::to_string(b));
}

std::optional<std::string> Real(const std::string& what, double a, double b) {
    return Differ(what, a, b, Num(a), Num(b));
}

std::optional<std::string> Flags(const std::string& what, int a, int b) {
    return Differ(what, a, b, Hex(a), Hex(b));
}

std::optional<std::string> First(std::initializer_list<std::optional<std::string>> checks) {
    for (const auto& check : checks) {
        if (check) {
            return check;
        }
    }
    return std::nullopt;
}

std::string Nth(const char* what, std::size_t i, std::size_t n) {
    return std::string(what) + " " + std::to_string(i) + " of " + std::to_string(n) + ":";
}

std::optional<std::string> CompareProject(const CRollpathDoc& a, const CRollpathDoc& b) {
    return First({
        Text("code", a.m_szCode, b.m_szCode),
        Text("polygon file", a.m_szTxpName, b.m_szTxpName),
        Text("network file", a.m_szBgrName, b.m_szBgrName),
        Text("diagram", a.m_szBmpPath, b.m_szBmpPath),
        Int("diagram x", a.m_nBmpX, b.m_nBmpX),
        Int("diagram y", a.m_nBmpY, b.m_nBmpY),
        Int("diagram scale", a.m_nBmpScale, b.m_nBmpScale),
        Real("rotation", a.m_dRotation, b.m_dRotation),
    });
}

std::optional<std::string> CompareNetwork(const CRollpathDoc& docA, const SavedNetwork& a,
                                          const CRollpathDoc& docB, const SavedNetwork& b) {
    if (auto d = Int("live segments", static_cast<long long>(a.segments.size()),
                     static_cast<long long>(b.segments.size()))) {
        return d;
    }
    const std::size_t n = a.segments.size();
    for (std::size_t i = 0; i < n; ++i) {
        const RollpathSegment& s = *a.segments[i];
        const RollpathSegment& t = *b.segments[i];
        const std::string at = Nth("segment", i, n);
        if (auto d = First({
                Int(at + " vertex0", a.NumberOf(s.vertex0), b.NumberOf(t.vertex0)),
                Int(at + " vertex1", a.NumberOf(s.vertex1), b.NumberOf(t.vertex1)),
                Int(at + " type", s.type, t.type),
                Real(at + " width", s.width, t.width),
                Flags(at + " flags", s.flags, t.flags),
                Real(at + " extent0", s.extent0, t.extent0),
                Real(at + " extent1", s.extent1, t.extent1),
            })) {
            return d;
        }
    }
    if (auto d = Int("vertices", static_cast<long long>(a.vertices.size()),
                     static_cast<long long>(b.vertices.size()))) {
        return d;
    }
    const std::size_t m = a.vertices.size();
    for (std::size_t i = 0; i < m; ++i) {
        const NetworkVertex& v = docA.Vertex(a.vertices[i]);
        const NetworkVertex& w = docB.Vertex(b.vertices[i]);
        const std::string at = Nth("vertex", i, m);
        if (auto d = First({
                Differ(at + " position", v.pos(), w.pos(), Point(v.pos()), Point(w.pos())),
                Flags(at + " flags", v.flags, w.flags),
            })) {
            return d;
        }
    }
    return First({Int("source", a.source, b.source), Int("sink", a.sink, b.sink)});
}

std::optional<std::string> ComparePolygons(const SavedNetwork& a, const SavedNetwork& b) {
    if (auto d = Int("live polygons", static_cast<long long>(a.polygons.size()),
                     static_cast<long long>(b.polygons.size()))) {
        return d;
    }
    const std::size_t n = a.polygons.size();
    for (std::size_t i = 0; i < n; ++i) {
        const GroundPolygon& p = *a.polygons[i];
        const GroundPolygon& q = *b.polygons[i];
        const std::string at = Nth("polygon", i, n);
        if (auto d = First({Int(at + " kind", p.kind, q.kind), Int(at + " points", p.count(), q.count())})) {
            return d;
        }
        for (std::size_t k = 0; k < p.points.size(); ++k) {
            if (auto d = Differ(at + " point " + std::to_string(k), p.points[k], q.points[k],
                                Point(p.points[k]), Point(q.points[k]))) {
                return d;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> FirstDifference(const CRollpathDoc& expected, const CRollpathDoc& actual) {
    const SavedNetwork a = Saved(expected);
    const SavedNetwork b = Saved(actual);
    return First(
        {CompareProject(expected, actual), CompareNetwork(expected, a, actual, b), ComparePolygons(a, b)});
}

}  // namespace rollpath::testing
