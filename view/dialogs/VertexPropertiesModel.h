#pragma once

// "Vertex Properties": a network vertex's number, offset from the benchmark,
// segment count and flow role, and its three flags.

#include "document/RollpathDoc.h"
#include "view/dialogs/DialogModel.h"

namespace rollpath {

class VertexPropertiesModel : public DialogModel {
public:
    static constexpr int kResource = 146;
    static constexpr int kNumber = 1051;
    static constexpr int kOffset = 1052;
    static constexpr int kRollpaths = 1053;
    static constexpr int kFlow = 1054;
    static constexpr int kNoPolygon = 1086;
    static constexpr int kNoMarkings = 1087;
    static constexpr int kNoLighting = 1088;

    static constexpr int kDialogFlags =
        VertexFlag::NoPolygon | VertexFlag::NoMarkings | VertexFlag::NoLighting;

    // A number outside the pool shows an empty vertex at the benchmark.
    VertexPropertiesModel(const CRollpathDoc& doc, int vertex);

    // The three check states as flag bits: what OK hands back.
    int Flags() const;
    // The vertex's flags with the dialog's bits taken from the check boxes.
    int MergedFlags(int vertexFlags) const { return (vertexFlags & ~kDialogFlags) | Flags(); }
};

// The live segments that end at the vertex (a segment with both ends there
// counts once).
int CountVertexSegments(const CRollpathDoc& doc, int vertex);

}  // namespace rollpath
