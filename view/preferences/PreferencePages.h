#pragma once

// The models of the three Preferences pages: what each page shows, how its
// spins step, what it refuses, and what it hands back to the settings when
// the sheet ends with OK. Each page copies its values from the settings when
// the sheet is built; nothing reaches the settings before OK, except the
// colour chooser's custom colours, which are the application's own array.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "settings/Settings.h"
#include "view/preferences/PageFields.h"

namespace rollpath {

// --- General (resource 147) -------------------------------------------------

inline constexpr int kRotationRadioFirst = 1024;  // ".25°" 1024, ".50°" 1025, "1.0°" 1026
inline constexpr int kRotationChoices = 3;
inline constexpr int kFlyPathField = 1014;
inline constexpr int kFlyPathBrowse = 1015;
inline constexpr int kOutputField = 1046;
inline constexpr int kOutputBrowse = 1016;
inline constexpr int kPreciseClippingBox = 1091;
inline constexpr int kPodFilesFirstBox = 1103;
inline constexpr const char* kFlyPathBrowseTitle = "Choose Fly! Path";
inline constexpr const char* kOutputBrowseTitle = "Choose Data Output Path";
// Folders are held in 260-byte buffers.
inline constexpr std::size_t kMaxFolderText = 259;

class GeneralPageModel : public FieldPageModel {
public:
    explicit GeneralPageModel(const Settings& settings);

    // Vertex, Segment and Polygon sensitivities, the Bezier depth and the
    // undo levels.
    static std::span<const IntegerField> Fields();

    // The radio button checked when the page opens; none for a stored value
    // outside the three choices.
    std::optional<int> CheckedRotationRadio() const;
    // A click on a radio button.
    void CheckRotationRadio(int control);

    // Hands every value back: the fields, the rotation, both folders and
    // both flags.
    void CopyTo(Settings& settings) const;

    int rotation;
    std::string flyDir;
    std::string outputDir;
    bool preciseClipping;
    bool podFilesFirst;
};

// --- Rollpaths (resource 148) -----------------------------------------------

class RollpathPageModel : public FieldPageModel {
public:
    explicit RollpathPageModel(const Settings& settings);

    // Short, Length, Maximum and Spacing.
    static std::span<const IntegerField> IntegerFieldTable();
    // Line Width, Edge Inset, Center Offset and Edge Offset.
    static std::span<const DecimalField> DecimalFieldTable();
};

// --- Colors (resource 106) --------------------------------------------------

struct ColorSwatch {
    int swatch;  // the swatch control
    int button;  // its "..." button
    std::string_view label;
    ColorRef Settings::*setting;
};

inline constexpr std::size_t kSwatchCount = 6;

// The system colour chooser: the chosen colour on OK. It edits the custom
// colours in place, whether it ends with OK or Cancel.
class ColorChooser {
public:
    virtual ~ColorChooser() = default;
    virtual std::optional<ColorRef> Choose(ColorRef initial,
                                           std::array<ColorRef, kCustomColorCount>& customColors) = 0;
};

class ColorPageModel {
public:
    // `customColors` is the application's array, not a copy.
    ColorPageModel(const Settings& settings, std::array<ColorRef, kCustomColorCount>& customColors);

    // Asphalt, Concrete, Turf, Dirt, Rollpath, Polygon.
    static std::span<const ColorSwatch> Swatches();

    ColorRef Color(std::size_t index) const { return colors_.at(index); }
    // The "..." button of a swatch: true when the swatch took a new colour
    // and must be repainted.
    bool Choose(std::size_t index, ColorChooser& chooser);

    // Hands the six colours back.
    void CopyTo(Settings& settings) const;

private:
    std::array<ColorRef, kSwatchCount> colors_{};
    std::array<ColorRef, kCustomColorCount>& customColors_;
};

}  // namespace rollpath
