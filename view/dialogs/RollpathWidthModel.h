#pragma once

// "Set Rollpath Width": the width new rollpaths get, with a decimal spin.

#include <string>

#include "view/dialogs/DialogModel.h"

namespace rollpath {

// A width's spin arrows step a foot, or a tenth with the fine step; Rollpath
// Properties steps its width the same way.
inline constexpr double kWidthStep = 1.0;
inline constexpr double kFineWidthStep = 0.1;

class RollpathWidthModel : public DialogModel {
public:
    static constexpr int kResource = 139;
    static constexpr int kWidth = 1028;
    static constexpr int kWidthSpin = 1029;
    static constexpr int kFineStep = 1035;

    explicit RollpathWidthModel(double width);

    // The width OK hands back.
    double Width() const { return m_dWidth; }

private:
    void OnSpin(int spinId, int delta) override;
    bool OnOk() override;

    double m_dOpenedWidth;
    std::string m_szShownWidth;
    double m_dWidth;
};

}  // namespace rollpath
