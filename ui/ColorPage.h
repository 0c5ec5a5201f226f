#pragma once

// CColorPage, the "Colors" page of the Preferences sheet (resource 106): a
// swatch and a "..." button for each drawing colour.

#include <QFrame>
#include <array>
#include <memory>

#include "view/preferences/PreferencePages.h"

class QPushButton;

namespace rollpath {

// A rectangle filled with one colour.
class CColorSwatch : public QFrame {
    Q_OBJECT
public:
    explicit CColorSwatch(QWidget* parent = nullptr);
    void SetColor(ColorRef color);
    ColorRef Color() const { return color_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorRef color_ = 0;
};

class CColorPage : public QWidget {
    Q_OBJECT
public:
    // `settings.CustomColors` is edited in place by the colour chooser.
    CColorPage(Settings& settings, QWidget* parent = nullptr);
    ~CColorPage() override;

    ColorPageModel& Model() { return model_; }
    CColorSwatch* Swatch(std::size_t index) const { return swatches_.at(index); }
    QPushButton* ChooseButton(std::size_t index) const { return buttons_.at(index); }
    // Tests answer in place of Qt's colour dialog.
    void SetColorChooser(std::unique_ptr<ColorChooser> chooser);

private:
    void Choose(std::size_t index);

    ColorPageModel model_;
    std::unique_ptr<ColorChooser> chooser_;
    std::array<CColorSwatch*, kSwatchCount> swatches_{};
    std::array<QPushButton*, kSwatchCount> buttons_{};
};

}  // namespace rollpath
