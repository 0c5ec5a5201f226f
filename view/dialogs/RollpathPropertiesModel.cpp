#include "view/dialogs/RollpathPropertiesModel.h"

#include <array>
#include <cmath>
#include <utility>

#include "geometry/PortableMath.h"
#include "view/dialogs/DialogText.h"
#include "view/dialogs/RollpathWidthModel.h"

namespace rollpath {

namespace {

constexpr const char* kTypeGroup = "&Type";
constexpr const char* kVerticesGroup = "Vertices";

// The check boxes and their flag bits, in tab order.
constexpr std::array<std::pair<int, int>, 8> kFlagBoxes = {{
    {RollpathPropertiesModel::kNoPolygon, SegmentFlag::NoPolygon},
    {RollpathPropertiesModel::kNoMarkings, SegmentFlag::NoMarkings},
    {RollpathPropertiesModel::kNoLighting, SegmentFlag::NoLighting},
    {RollpathPropertiesModel::kNoExit, SegmentFlag::NoExit},
    {RollpathPropertiesModel::kNoFill, SegmentFlag::NoFill},
    {RollpathPropertiesModel::kRunwayHold, SegmentFlag::RunwayHold},
    {RollpathPropertiesModel::kCriticalHold, SegmentFlag::CriticalHold},
    {RollpathPropertiesModel::kBlastPad, SegmentFlag::BlastPad},
}};

constexpr const char* kFlagLabels[] = {"No &Polygon", "No &Markings", "No &Lighting",   "No &Exit",
                                       "No &Fill",    "Runway &Hold", "&Critical Hold", "&Blast Pad"};

double SegmentLength(const CRollpathDoc& doc, const RollpathSegment& segment) {
    const auto inPool = [&doc](int v) { return v >= 0 && v < doc.m_nVertices; };
    if (!inPool(segment.vertex0) || !inPool(segment.vertex1)) {
        return 0.0;
    }
    const NetworkVertex& a = doc.Vertex(segment.vertex0);
    const NetworkVertex& b = doc.Vertex(segment.vertex1);
    return math::Hypot(b.x - a.x, b.y - a.y);
}

bool TouchesRunway(int endClass) {
    return endClass == EndClass::Runway || endClass == EndClass::RunwayEnd;
}

}  // namespace

RollpathPropertiesModel::RollpathPropertiesModel(const CRollpathDoc& doc, const RollpathSegment& segment)
    : DialogModel("Rollpath Properties", kResource),
      m_nSegmentFlags(segment.flags),
      m_nSegmentType(segment.type),
      m_nEndClass0(segment.endClass0),
      m_nEndClass1(segment.endClass1),
      m_dSegmentWidth(segment.width),
      m_szShownWidth(FormatFixed(segment.width, 1)),
      m_dWidth(segment.width) {
    AddField(kWidth, "&Width", m_szShownWidth, false).range = kRollpathWidthRange;
    AddSpin(kWidthSpin, kWidth);
    AddCheck(kFineStep, "x 0.1", false).sameRow = true;
    AddField(kLength, "Length", FormatFixed(SegmentLength(doc, segment), 1), true);
    AddRadio(kRunwayCentreline, "&Runway Centerline", kTypeGroup,
             segment.type == SegmentType::RunwayCentreLine);
    AddRadio(kRollpath, "&Rollpath", kTypeGroup, segment.type == SegmentType::Rollpath);
    AddField(kEnd0, "0", EndClassName(segment.endClass0), true).group = kVerticesGroup;
    AddField(kEnd1, "1", EndClassName(segment.endClass1), true).group = kVerticesGroup;
    for (std::size_t k = 0; k < kFlagBoxes.size(); ++k) {
        AddCheck(kFlagBoxes[k].first, kFlagLabels[k], (segment.flags & kFlagBoxes[k].second) != 0);
    }
    m_Result.width = m_dSegmentWidth;
    m_Result.type = m_nSegmentType;
    m_Result.flags = segment.flags & kDialogFlags;
    ApplyEnabling();
}

void RollpathPropertiesModel::ApplyEnabling() {
    if (IsChecked(kRunwayCentreline)) {
        for (const auto& [id, bit] : kFlagBoxes) {
            SetEnabled(id, false);
        }
        SetEnabled(kBlastPad, (m_nSegmentFlags & SegmentFlag::Extension) != 0);
        return;
    }
    SetEnabled(kNoPolygon, true);
    const bool others = !IsChecked(kNoPolygon);
    for (const int id : {kNoMarkings, kNoLighting, kNoFill, kNoExit, kCriticalHold}) {
        SetEnabled(id, others);
    }
    SetEnabled(kRunwayHold, others && (TouchesRunway(m_nEndClass0) || TouchesRunway(m_nEndClass1)));
    SetEnabled(kBlastPad, false);
}

void RollpathPropertiesModel::OnChanged(int id) {
    if (id == kNoPolygon || id == kRunwayCentreline || id == kRollpath) {
        ApplyEnabling();
    }
}

void RollpathPropertiesModel::OnSpin(int spinId, int delta) {
    if (spinId == kWidthSpin) {
        const double step = IsChecked(kFineStep) ? kFineWidthStep : kWidthStep;
        m_dWidth = StepDecimalField(kWidth, ReadWidth, m_dWidth, step, delta, 1, 4);
    }
}

bool RollpathPropertiesModel::OnOk() {
    const std::string text = TextOf(kWidth);
    // The field shows the width to one decimal: left as shown, the width
    // keeps all of its digits.
    if (text == m_szShownWidth) {
        m_dWidth = m_dSegmentWidth;
    } else {
        m_dWidth = ReadWidth(text).value_or(m_dWidth);
    }
    m_Result.width = m_dWidth;
    if (IsChecked(kRunwayCentreline)) {
        m_Result.type = SegmentType::RunwayCentreLine;
    } else if (IsChecked(kRollpath)) {
        m_Result.type = SegmentType::Rollpath;
    } else {
        m_Result.type = m_nSegmentType;
    }
    m_Result.flags = 0;
    for (const auto& [id, bit] : kFlagBoxes) {
        if (IsChecked(id)) {
            m_Result.flags |= bit;
        }
    }
    return true;
}

bool RollpathPropertiesModel::ChangesSegment(const RollpathSegment& segment) const {
    return static_cast<float>(m_Result.width) != segment.width || m_Result.type != segment.type ||
           m_Result.flags != (segment.flags & kDialogFlags);
}

}  // namespace rollpath
