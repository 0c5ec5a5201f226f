#pragma once

// The colour chooser of the Colors page on Qt's colour dialog. Its 16 custom
// colours are the application's own: they are given to the dialog when it
// opens and taken back when it closes, by OK or by Cancel.

#include "view/preferences/PreferencePages.h"

class QWidget;

namespace rollpath {

class QtColorChooser : public ColorChooser {
public:
    explicit QtColorChooser(QWidget* owner) : owner_(owner) {}
    std::optional<ColorRef> Choose(ColorRef initial,
                                   std::array<ColorRef, kCustomColorCount>& customColors) override;

private:
    QWidget* owner_;
};

}  // namespace rollpath
