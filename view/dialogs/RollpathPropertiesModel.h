#pragma once

// "Rollpath Properties": one segment's width (with a decimal spin), length,
// type, end classes and eight flags, with the rules that enable the flags.

#include "document/RollpathDoc.h"
#include "view/dialogs/DialogModel.h"

namespace rollpath {

class RollpathPropertiesModel : public DialogModel {
public:
    static constexpr int kResource = 142;
    static constexpr int kWidth = 1031;
    static constexpr int kWidthSpin = 1032;
    static constexpr int kFineStep = 1034;
    static constexpr int kLength = 1057;
    static constexpr int kRunwayCentreline = 1037;
    static constexpr int kRollpath = 1038;
    static constexpr int kEnd0 = 1059;
    static constexpr int kEnd1 = 1060;
    static constexpr int kNoPolygon = 1033;
    static constexpr int kNoMarkings = 1069;
    static constexpr int kNoLighting = 1070;
    static constexpr int kNoExit = 1099;
    static constexpr int kNoFill = 1101;
    static constexpr int kRunwayHold = 1071;
    static constexpr int kCriticalHold = 1072;
    static constexpr int kBlastPad = 1104;

    // The flag bits the dialog shows; the segment's other bits are not its.
    static constexpr int kDialogFlags =
        SegmentFlag::NoPolygon | SegmentFlag::NoMarkings | SegmentFlag::NoLighting | SegmentFlag::NoExit |
        SegmentFlag::NoFill | SegmentFlag::RunwayHold | SegmentFlag::CriticalHold | SegmentFlag::BlastPad;

    RollpathPropertiesModel(const CRollpathDoc& doc, const RollpathSegment& segment);

    // What OK hands back.
    struct Result {
        double width = 0.0;
        int type = SegmentType::Rollpath;
        int flags = 0;  // the dialog's bits only
    };
    const Result& GetResult() const { return m_Result; }

    // True when storing the result would change the segment; the width is
    // compared as the segment keeps it (single precision).
    bool ChangesSegment(const RollpathSegment& segment) const;
    // The segment's flags with the dialog's bits taken from the result.
    int MergedFlags(int segmentFlags) const { return (segmentFlags & ~kDialogFlags) | m_Result.flags; }

private:
    void ApplyEnabling();
    void OnChanged(int id) override;
    void OnSpin(int spinId, int delta) override;
    bool OnOk() override;

    int m_nSegmentFlags;
    int m_nSegmentType;
    int m_nEndClass0;
    int m_nEndClass1;
    double m_dSegmentWidth;
    std::string m_szShownWidth;  // the width's text as the dialog opened
    double m_dWidth;             // the field's value, as the spin keeps it
    Result m_Result;
};

}  // namespace rollpath
