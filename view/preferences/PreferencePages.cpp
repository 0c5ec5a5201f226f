#include "view/preferences/PreferencePages.h"

#include "document/EditHistory.h"
#include "settings/SettingRanges.h"

namespace rollpath {

namespace {

constexpr int kMaxSensitivity = 32767;

constexpr IntegerField kGeneralFields[] = {
    {1049, 1050, "&Vertex", 0, kMaxSensitivity, 0, kMaxSensitivity, &Settings::MaxVertexRadius},
    {1051, 1052, "&Segment", 0, kMaxSensitivity, 0, kMaxSensitivity, &Settings::MaxSegLength},
    {1055, 1053, "&Polygon", 0, kMaxSensitivity, 0, kMaxSensitivity, &Settings::MaxPolyVertex},
    {1065, 1066, "&Bezier Depth", 3, 10, 3, 10, &Settings::BezierDepth},
    {1110, 1111, "Undo levels", kMinUndoLevels, kMaxUndoLevels, kMinUndoLevels, kMaxUndoLevels,
     &Settings::UndoLevels},
};

// The Maximum spin has no range of its own: it steps within the field's.
constexpr IntegerField kRollpathIntegerFields[] = {
    {1067, 1068, "&Short", 0, 1000, 0, 1000, &Settings::MarkShort},
    {1076, 1077, "&Length", 1, 1000, 1, 1000, &Settings::RunwayExit},
    {1078, 1079, "&Maximum", 0, 10000, 0, 10000, &Settings::RunwayExitMax},
    {1074, 1075, "S&pacing", 1, 1000, 1, 1000, &Settings::LiteSpacing},
};

constexpr DecimalField kRollpathDecimalFields[] = {
    {1061, 1063, "Line &Width", kLineWidthRange, &Settings::EdgeWidth},
    {1062, 1064, "Edge &Inset", kEdgeInsetRange, &Settings::EdgeInset},
    {1080, 1081, "&Center Offset", kCenterOffsetRange, &Settings::CenterOffset},
    {1072, 1073, "Edge &Offset", kEdgeOffsetRange, &Settings::LiteOffset},
};

constexpr ColorSwatch kSwatches[kSwatchCount] = {
    {1083, 1085, "Asphalt", &Settings::AsphaltColor},   {1084, 1086, "Concrete", &Settings::ConcreteColor},
    {1087, 1088, "Turf", &Settings::TurfColor},         {1089, 1090, "Dirt", &Settings::DirtColor},
    {1091, 1092, "Rollpath", &Settings::RollpathColor}, {1093, 1094, "Polygon", &Settings::PolygonColor},
};

std::string Bounded(const std::string& folder) {
    return folder.substr(0, kMaxFolderText);
}

}  // namespace

GeneralPageModel::GeneralPageModel(const Settings& settings)
    : FieldPageModel(kGeneralFields, {}, settings),
      rotation(settings.Rotation),
      flyDir(settings.FlyDir),
      outputDir(settings.OutputDir),
      preciseClipping(settings.PreciseClipping != 0),
      podFilesFirst(settings.PodFilesFirst != 0) {}

std::span<const IntegerField> GeneralPageModel::Fields() {
    return kGeneralFields;
}

std::optional<int> GeneralPageModel::CheckedRotationRadio() const {
    if (rotation < 0 || rotation >= kRotationChoices) {
        return std::nullopt;
    }
    return kRotationRadioFirst + rotation;
}

void GeneralPageModel::CheckRotationRadio(int control) {
    if (control >= kRotationRadioFirst && control < kRotationRadioFirst + kRotationChoices) {
        rotation = control - kRotationRadioFirst;
    }
}

void GeneralPageModel::CopyTo(Settings& settings) const {
    FieldPageModel::CopyTo(settings);
    // A stored choice outside the three stays as it was while no radio is
    // checked.
    settings.Rotation = rotation;
    settings.FlyDir = Bounded(flyDir);
    settings.OutputDir = Bounded(outputDir);
    settings.PreciseClipping = preciseClipping ? 1 : 0;
    settings.PodFilesFirst = podFilesFirst ? 1 : 0;
}

RollpathPageModel::RollpathPageModel(const Settings& settings)
    : FieldPageModel(kRollpathIntegerFields, kRollpathDecimalFields, settings) {}

std::span<const IntegerField> RollpathPageModel::IntegerFieldTable() {
    return kRollpathIntegerFields;
}

std::span<const DecimalField> RollpathPageModel::DecimalFieldTable() {
    return kRollpathDecimalFields;
}

ColorPageModel::ColorPageModel(const Settings& settings,
                               std::array<ColorRef, kCustomColorCount>& customColors)
    : customColors_(customColors) {
    for (std::size_t i = 0; i < kSwatchCount; ++i) {
        colors_[i] = settings.*kSwatches[i].setting;
    }
}

std::span<const ColorSwatch> ColorPageModel::Swatches() {
    return kSwatches;
}

bool ColorPageModel::Choose(std::size_t index, ColorChooser& chooser) {
    if (index >= kSwatchCount) {
        return false;
    }
    const std::optional<ColorRef> chosen = chooser.Choose(colors_[index], customColors_);
    if (!chosen) {
        return false;
    }
    colors_[index] = *chosen;
    return true;
}

void ColorPageModel::CopyTo(Settings& settings) const {
    for (std::size_t i = 0; i < kSwatchCount; ++i) {
        settings.*kSwatches[i].setting = colors_[i];
    }
}

}  // namespace rollpath
