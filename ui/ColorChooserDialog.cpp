#include "ui/ColorChooserDialog.h"

#include <QColorDialog>

#include "qtcanvas/QtCanvas.h"

namespace rollpath {

namespace {

ColorRef ToColorRef(const QColor& color) {
    return Rgb(color.red(), color.green(), color.blue());
}

}  // namespace

std::optional<ColorRef> QtColorChooser::Choose(ColorRef initial,
                                               std::array<ColorRef, kCustomColorCount>& customColors) {
    for (int i = 0; i < kCustomColorCount; ++i) {
        QColorDialog::setCustomColor(i, QtCanvas::ToQColor(customColors[static_cast<std::size_t>(i)]));
    }
    QColorDialog dialog(QtCanvas::ToQColor(initial), owner_);
    dialog.setOptions(QColorDialog::DontUseNativeDialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < kCustomColorCount; ++i) {
        customColors[static_cast<std::size_t>(i)] = ToColorRef(QColorDialog::customColor(i));
    }
    if (!accepted) {
        return std::nullopt;
    }
    return ToColorRef(dialog.selectedColor());
}

}  // namespace rollpath
