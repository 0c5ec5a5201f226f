#include "view/dialogs/PositionModel.h"

#include <cstdint>
#include <string>

#include "view/LogicalGeometry.h"
#include "view/dialogs/DialogText.h"

namespace rollpath {

namespace {

constexpr int kCoarseOffsetStep = 100;
constexpr int kCoarseScaleStep = 10;

}  // namespace

PositionModel::PositionModel(Post post)
    : DialogModel("Position", kResource, DialogButtons::Ok, true), m_Post(std::move(post)) {
    AddField(kHorizontal, "&Horizontal", "0", false);
    AddSpin(kHorizontalSpin, kHorizontal);
    DialogControl& h = AddCheck(kHorizontalCoarse, "x 100", false);
    h.name = "Horizontal x 100";
    h.sameRow = true;
    AddField(kVertical, "&Vertical", "0", false);
    AddSpin(kVerticalSpin, kVertical);
    DialogControl& v = AddCheck(kVerticalCoarse, "x 100", false);
    v.name = "Vertical x 100";
    v.sameRow = true;
    AddField(kScale, "&Scale", "100", false).range = kDiagramScaleRange;
    AddSpin(kScaleSpin, kScale);
    DialogControl& s = AddCheck(kScaleCoarse, "x 10", false);
    s.name = "Scale x 10";
    s.sameRow = true;
}

void PositionModel::SetValues(int horizontal, int vertical, int scale) {
    SetText(kHorizontal, std::to_string(horizontal));
    SetText(kVertical, std::to_string(vertical));
    SetText(kScale, std::to_string(scale));
}

void PositionModel::OnChanged(int id) {
    int code = -1;
    switch (id) {
        case kHorizontal:
            code = PositionCode::Horizontal;
            break;
        case kVertical:
            code = PositionCode::Vertical;
            break;
        case kScale:
            code = PositionCode::Scale;
            break;
        default:
            return;
    }
    const int value = ReadSignedInteger(TextOf(id));
    // A scale below 1 draws nothing and would not reopen: the view keeps
    // the one it has, and OK refuses it.
    const std::optional<NumberRange>& range = Find(id)->range;
    if (m_Post && (!range || range->Holds(value))) {
        m_Post(code, value);
    }
}

void PositionModel::OnSpin(int spinId, int delta) {
    int field = 0;
    int step = 1;
    switch (spinId) {
        case kHorizontalSpin:
            field = kHorizontal;
            step = IsChecked(kHorizontalCoarse) ? kCoarseOffsetStep : 1;
            break;
        case kVerticalSpin:
            field = kVertical;
            step = IsChecked(kVerticalCoarse) ? kCoarseOffsetStep : 1;
            break;
        case kScaleSpin:
            field = kScale;
            step = IsChecked(kScaleCoarse) ? kCoarseScaleStep : 1;
            break;
        default:
            return;
    }
    // A field that holds no number steps from 0.
    const std::int64_t value =
        static_cast<std::int64_t>(ParseInteger(TextOf(field)).value_or(0)) + SpinDirection(delta) * step;
    SetText(field, std::to_string(SaturateToInt(value)));
    // Written text is a change like typed text: it goes to the view.
    OnChanged(field);
}

bool PositionModel::OnOk() {
    if (m_Post) {
        m_Post(PositionCode::Ok, 0);
    }
    return true;
}

void PositionModel::OnCancel() {
    if (m_Post) {
        m_Post(PositionCode::Cancel, 0);
    }
}

}  // namespace rollpath
