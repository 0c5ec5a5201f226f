#include "settings/Settings.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "settings/SettingRanges.h"
#include "settings/SettingsStore.h"

namespace rollpath {

namespace {

constexpr std::size_t kMaxFolderLength = 259;

void ReadInt(const SettingsStore& store, const char* key, int& value) {
    if (const auto v = store.GetInt(key)) {
        value = *v;
    }
}

void ReadColor(const SettingsStore& store, const char* key, ColorRef& value) {
    if (const auto v = store.GetInt(key)) {
        value = static_cast<ColorRef>(*v);
    }
}

// Stored in fractions of a foot; a value outside its range is read as the
// nearest end.
void ReadScaled(const SettingsStore& store, const char* key, double scale, const NumberRange& range,
                double& value) {
    if (const auto v = store.GetInt(key)) {
        value = range.Clamp(*v * scale);
    }
}

// A folder too long to be kept is refused whole: cut short, it would name
// another folder, and files would be written where nobody chose.
void ReadFolder(const SettingsStore& store, const char* key, std::string& value) {
    if (auto v = store.GetText(key); v && v->size() <= kMaxFolderLength) {
        value = std::move(*v);
    }
}

std::string CustomColorKey(int i) {
    return "CustomColor" + std::to_string(i);
}

}  // namespace

double Settings::RotationIncrement() const {
    switch (Rotation) {
        case 0:
            return 0.25;
        case 1:
            return 0.5;
        default:
            return 1.0;
    }
}

std::optional<WindowRect> ReadWindowRect(const std::string& text) {
    WindowRect r;
    if (std::sscanf(text.c_str(), "%d %d %d %d", &r.left, &r.top, &r.right, &r.bottom) != 4) {
        return std::nullopt;
    }
    return r;
}

WindowRect ParseWindowRect(const std::string& text) {
    return ReadWindowRect(text).value_or(WindowRect{});
}

std::string FormatWindowRect(const WindowRect& rect) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d %d %d %d", rect.left, rect.top, rect.right, rect.bottom);
    return buffer;
}

int ScaleForStore(double value, int factor) {
    // Truncated toward zero, after a nudge of a millionth so that a value
    // typed as 0.29 (0.28999... in binary) is stored as 29, not 28.
    const double scaled = value * factor;
    if (std::isnan(scaled)) {
        return 0;
    }
    const double nudged = scaled + std::copysign(1e-6, scaled);
    if (nudged >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (nudged <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(nudged);
}

std::vector<std::string> RefusedFolderMessages(const SettingsStore& store) {
    std::vector<std::string> messages;
    if (store.GetInt("FlyDirSet").value_or(0) == 0) {
        return messages;
    }
    for (const char* key : {"FlyDir", "OutputDir"}) {
        if (const auto v = store.GetText(key); v && v->size() > kMaxFolderLength) {
            messages.push_back(std::string("The stored ") + key + " folder is longer than " +
                               std::to_string(kMaxFolderLength) + " bytes and is not used");
        }
    }
    return messages;
}

Settings LoadSettings(const SettingsStore& store) {
    Settings s;
    if (const auto size = store.GetText("Size")) {
        s.Size = ParseWindowRect(*size);
    }
    ReadInt(store, "FlyDirSet", s.FlyDirSet);
    if (s.FlyDirSet != 0) {
        ReadFolder(store, "FlyDir", s.FlyDir);
        ReadFolder(store, "OutputDir", s.OutputDir);
    }
    ReadFolder(store, "ProjectDir", s.ProjectDir);
    ReadInt(store, "Rotation", s.Rotation);
    ReadInt(store, "MaxSegLength", s.MaxSegLength);
    ReadInt(store, "MaxVertexRadius", s.MaxVertexRadius);
    ReadInt(store, "MaxPolyVertex", s.MaxPolyVertex);
    ReadInt(store, "BezierDepth", s.BezierDepth);
    ReadScaled(store, "EdgeWidth", 0.01, kLineWidthRange, s.EdgeWidth);
    ReadScaled(store, "EdgeInset", 0.01, kEdgeInsetRange, s.EdgeInset);
    ReadInt(store, "MarkShort", s.MarkShort);
    ReadInt(store, "RunwayExit", s.RunwayExit);
    ReadScaled(store, "CenterOffset", 0.1, kCenterOffsetRange, s.CenterOffset);
    ReadInt(store, "RunwayExitMax", s.RunwayExitMax);
    ReadScaled(store, "LiteOffset", 0.01, kEdgeOffsetRange, s.LiteOffset);
    ReadInt(store, "LiteSpacing", s.LiteSpacing);
    ReadColor(store, "AsphaltColor", s.AsphaltColor);
    ReadColor(store, "ConcreteColor", s.ConcreteColor);
    ReadColor(store, "TurfColor", s.TurfColor);
    ReadColor(store, "DirtColor", s.DirtColor);
    ReadColor(store, "RollpathColor", s.RollpathColor);
    ReadColor(store, "PolygonColor", s.PolygonColor);
    ReadInt(store, "PreciseClipping", s.PreciseClipping);
    ReadInt(store, "PodFilesFirst", s.PodFilesFirst);
    ReadInt(store, "UndoLevels", s.UndoLevels);
    if (auto v = store.GetText("DisabledChecks")) {
        s.DisabledChecks = std::move(*v);
    }
    for (int i = 0; i < kCustomColorCount; ++i) {
        ReadColor(store, CustomColorKey(i).c_str(), s.CustomColors[static_cast<std::size_t>(i)]);
    }
    return s;
}

void SaveSettings(const Settings& s, SettingsStore& store) {
    store.SetText("Size", FormatWindowRect(s.Size));
    store.SetInt("FlyDirSet", s.FlyDirSet);
    store.SetText("FlyDir", s.FlyDir);
    store.SetText("OutputDir", s.OutputDir);
    store.SetText("ProjectDir", s.ProjectDir);
    store.SetInt("Rotation", s.Rotation);
    store.SetInt("MaxSegLength", s.MaxSegLength);
    store.SetInt("MaxVertexRadius", s.MaxVertexRadius);
    store.SetInt("MaxPolyVertex", s.MaxPolyVertex);
    store.SetInt("BezierDepth", s.BezierDepth);
    store.SetInt("EdgeWidth", ScaleForStore(s.EdgeWidth, 100));
    store.SetInt("EdgeInset", ScaleForStore(s.EdgeInset, 100));
    store.SetInt("MarkShort", s.MarkShort);
    store.SetInt("RunwayExit", s.RunwayExit);
    store.SetInt("CenterOffset", ScaleForStore(s.CenterOffset, 10));
    store.SetInt("RunwayExitMax", s.RunwayExitMax);
    store.SetInt("LiteOffset", ScaleForStore(s.LiteOffset, 100));
    store.SetInt("LiteSpacing", s.LiteSpacing);
    store.SetInt("AsphaltColor", static_cast<int>(s.AsphaltColor));
    store.SetInt("ConcreteColor", static_cast<int>(s.ConcreteColor));
    store.SetInt("TurfColor", static_cast<int>(s.TurfColor));
    store.SetInt("DirtColor", static_cast<int>(s.DirtColor));
    store.SetInt("RollpathColor", static_cast<int>(s.RollpathColor));
    store.SetInt("PolygonColor", static_cast<int>(s.PolygonColor));
    store.SetInt("PreciseClipping", s.PreciseClipping);
    store.SetInt("PodFilesFirst", s.PodFilesFirst);
    store.SetInt("UndoLevels", s.UndoLevels);
    store.SetText("DisabledChecks", s.DisabledChecks);
    for (int i = 0; i < kCustomColorCount; ++i) {
        store.SetInt(CustomColorKey(i), static_cast<int>(s.CustomColors[static_cast<std::size_t>(i)]));
    }
}

}  // namespace rollpath
