#pragma once

// "Position": the modeless dialog that moves and scales the airport diagram.
// Every change of a field goes to the view at once, as a code and a value.

#include <functional>

#include "view/dialogs/DialogModel.h"

namespace rollpath {

// The codes the Position dialog sends the view.
struct PositionCode {
    static constexpr int Cancel = 0;
    static constexpr int Ok = 1;
    static constexpr int Horizontal = 2;
    static constexpr int Vertical = 3;
    static constexpr int Scale = 4;
};

// The diagram's scale in percent, from a hundredth to a hundred times its
// size: the project list reopens a smaller one as 100.
inline constexpr NumberRange kDiagramScaleRange{1.0, 10000.0, true};

class PositionModel : public DialogModel {
public:
    static constexpr int kResource = 131;
    static constexpr int kHorizontal = 1008;
    static constexpr int kHorizontalSpin = 1009;
    static constexpr int kVertical = 1010;
    static constexpr int kVerticalSpin = 1011;
    static constexpr int kScale = 1012;
    static constexpr int kScaleSpin = 1013;
    static constexpr int kHorizontalCoarse = 1021;
    static constexpr int kVerticalCoarse = 1022;
    static constexpr int kScaleCoarse = 1023;

    using Post = std::function<void(int code, int value)>;
    explicit PositionModel(Post post);

    // The view's offsets and scale, shown without being sent back.
    void SetValues(int horizontal, int vertical, int scale);

private:
    void OnChanged(int id) override;
    void OnSpin(int spinId, int delta) override;
    bool OnOk() override;
    void OnCancel() override;

    Post m_Post;
};

}  // namespace rollpath
