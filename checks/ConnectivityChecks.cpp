// unreachable and source-sink: what the network connects.

#include <numeric>
#include <vector>

#include "checks/CheckContext.h"
#include "checks/ObjectNames.h"

namespace rollpath {

namespace {

// The pieces of the network: vertices joined through usable segments.
class NetworkPieces {
public:
    explicit NetworkPieces(const CheckContext& context)
        : parent_(static_cast<std::size_t>(context.doc.m_nVertices)) {
        std::iota(parent_.begin(), parent_.end(), 0);
        for (int i = 0; i < context.SegmentCount(); ++i) {
            if (context.Usable(i)) {
                const RollpathSegment& s = context.Segment(i);
                Join(s.vertex0, s.vertex1);
            }
        }
    }

    int Of(int vertex) {
        int root = vertex;
        while (parent_[static_cast<std::size_t>(root)] != root) {
            root = parent_[static_cast<std::size_t>(root)];
        }
        while (parent_[static_cast<std::size_t>(vertex)] != root) {
            vertex = std::exchange(parent_[static_cast<std::size_t>(vertex)], root);
        }
        return root;
    }

private:
    void Join(int a, int b) {
        a = Of(a);
        b = Of(b);
        if (a != b) {
            parent_[static_cast<std::size_t>(std::max(a, b))] = std::min(a, b);
        }
    }

    std::vector<int> parent_;
};

bool AnyRollpath(const CheckContext& context) {
    for (int i = 0; i < context.SegmentCount(); ++i) {
        if (context.UsableRollpath(i)) {
            return true;
        }
    }
    return false;
}

// The vertex is in the pool, live, and used by a usable segment.
bool OnNetwork(const CheckContext& context, int vertex) {
    return context.doc.IsLiveVertex(vertex) && !context.incidence.SegmentsAt(vertex).empty();
}

void CheckFlowEnd(CheckContext& context, int vertex, const char* name) {
    if (vertex < 0) {
        context.Add(CheckId::SourceSink, std::string("the network has no ") + name, DPoint{}, ObjectRef{});
    } else if (!OnNetwork(context, vertex)) {
        const bool inPool = vertex < context.doc.m_nVertices;
        context.Add(
            CheckId::SourceSink,
            std::string("the ") + name + " (" + VertexName(vertex) + ") is not on a segment of the network",
            inPool ? context.doc.Vertex(vertex).pos() : DPoint{},
            inPool ? ObjectRef::Vertex(vertex) : ObjectRef{});
    }
}

}  // namespace

void CheckUnreachable(CheckContext& context) {
    NetworkPieces pieces(context);
    std::vector<char> reachesRunway(static_cast<std::size_t>(context.doc.m_nVertices), 0);
    for (int i = 0; i < context.SegmentCount(); ++i) {
        if (context.Usable(i) && context.Segment(i).type == SegmentType::RunwayCentreLine) {
            reachesRunway[static_cast<std::size_t>(pieces.Of(context.Segment(i).vertex0))] = 1;
        }
    }
    // One finding per piece, at its first rollpath in list order.
    struct Piece {
        int first = -1;
        int count = 0;
    };
    std::vector<Piece> unreached(static_cast<std::size_t>(context.doc.m_nVertices));
    std::vector<int> order;
    for (int i = 0; i < context.SegmentCount(); ++i) {
        if (!context.UsableRollpath(i)) {
            continue;
        }
        const auto root = static_cast<std::size_t>(pieces.Of(context.Segment(i).vertex0));
        if (reachesRunway[root] != 0) {
            continue;
        }
        Piece& piece = unreached[root];
        if (piece.count++ == 0) {
            piece.first = i;
            order.push_back(static_cast<int>(root));
        }
    }
    for (const int root : order) {
        const Piece& piece = unreached[static_cast<std::size_t>(root)];
        std::string message = SegmentName(context.Segment(piece.first));
        if (piece.count > 1) {
            message += " and " + std::to_string(piece.count - 1) +
                       (piece.count == 2 ? " rollpath" : " rollpaths") + " joined to it are";
        } else {
            message += " is";
        }
        context.Add(CheckId::Unreachable, message + " not connected to any runway",
                    context.Midpoint(piece.first), ObjectRef::Segment(piece.first));
    }
}

void CheckSourceSink(CheckContext& context) {
    // A network of runway centre lines alone (a new airport) carries no
    // traffic flow yet: the Source and Sink belong to the rollpaths drawn.
    if (!AnyRollpath(context)) {
        return;
    }
    const int source = context.doc.m_nSource;
    const int sink = context.doc.m_nSink;
    if (source < 0 && sink < 0) {
        context.Add(CheckId::SourceSink, "the network has no Source and no Sink", DPoint{}, ObjectRef{});
        return;
    }
    CheckFlowEnd(context, source, "Source");
    CheckFlowEnd(context, sink, "Sink");
    if (OnNetwork(context, source) && OnNetwork(context, sink)) {
        NetworkPieces pieces(context);
        if (pieces.Of(source) != pieces.Of(sink)) {
            context.Add(CheckId::SourceSink,
                        "the Source (" + VertexName(source) + ") and the Sink (" + VertexName(sink) +
                            ") are not connected",
                        context.doc.Vertex(source).pos(), ObjectRef::Vertex(source));
        }
    }
}

}  // namespace rollpath
