#include "view/dialogs/RollpathWidthModel.h"

#include "view/dialogs/DialogText.h"

namespace rollpath {

RollpathWidthModel::RollpathWidthModel(double width)
    : DialogModel("Set Rollpath Width", kResource),
      m_dOpenedWidth(width),
      m_szShownWidth(FormatFixed(width, 1, 4)),
      m_dWidth(width) {
    DialogControl& field = AddField(kWidth, "&Width", m_szShownWidth, false);
    field.suffix = "ft";
    field.range = kRollpathWidthRange;
    AddSpin(kWidthSpin, kWidth);
    AddCheck(kFineStep, "x 0.1", false).sameRow = true;
}

void RollpathWidthModel::OnSpin(int spinId, int delta) {
    if (spinId == kWidthSpin) {
        const double step = IsChecked(kFineStep) ? kFineWidthStep : kWidthStep;
        m_dWidth = StepDecimalField(kWidth, ReadWidth, m_dWidth, step, delta, 1, 4);
    }
}

bool RollpathWidthModel::OnOk() {
    const std::string text = TextOf(kWidth);
    // Left as shown (to one decimal), the width keeps all of its digits.
    m_dWidth = text == m_szShownWidth ? m_dOpenedWidth : ReadWidth(text).value_or(m_dWidth);
    return true;
}

}  // namespace rollpath
