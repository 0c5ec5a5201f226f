#pragma once

// The persistent options of the editor, with their defaults. Held by the
// application, read by every part of the system, edited by the Preferences
// sheet, loaded once at start-up and written when the main window closes.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rollpath {

class SettingsStore;

// A Windows colour value: red + 256 green + 65536 blue.
using ColorRef = std::uint32_t;

constexpr ColorRef Rgb(int red, int green, int blue) {
    return static_cast<ColorRef>(red & 0xFF) | (static_cast<ColorRef>(green & 0xFF) << 8) |
           (static_cast<ColorRef>(blue & 0xFF) << 16);
}

// Left, top, right, bottom in screen pixels.
struct WindowRect {
    int left = 10;
    int top = 10;
    int right = 600;
    int bottom = 470;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

inline constexpr int kCustomColorCount = 16;

// Member names are the store's key names.
struct Settings {
    WindowRect Size;            // the main window's normal rectangle
    int FlyDirSet = 0;          // 1 once the simulator folder has been chosen
    std::string FlyDir;         // the simulator's installation folder
    std::string OutputDir;      // receives the scenery files
    std::string ProjectDir;     // holds Rollpath.rpj and the side files; empty: the usual place
    int Rotation = 2;           // rotation increment: 0 = 0.25, 1 = 0.5, 2 = 1.0 degree
    int MaxSegLength = 25;      // Segment sensitivity, feet
    int MaxVertexRadius = 25;   // Vertex sensitivity, feet
    int MaxPolyVertex = 25;     // Polygon sensitivity, feet
    int BezierDepth = 5;        // curve intervals of a junction fillet, 3..10
    double EdgeWidth = 1.0;     // feet; stored in hundredths
    double EdgeInset = 2.0;     // feet; stored in hundredths
    int MarkShort = 50;         // feet
    int RunwayExit = 200;       // feet
    double CenterOffset = 3.5;  // feet; stored in tenths
    int RunwayExitMax = 500;    // feet
    double LiteOffset = 5.0;    // feet; stored in hundredths
    int LiteSpacing = 100;      // feet
    ColorRef AsphaltColor = Rgb(0, 0, 0);
    ColorRef ConcreteColor = Rgb(128, 128, 128);
    ColorRef TurfColor = Rgb(0, 128, 0);
    ColorRef DirtColor = Rgb(128, 64, 0);
    ColorRef RollpathColor = Rgb(192, 192, 192);
    ColorRef PolygonColor = Rgb(192, 192, 192);
    int PreciseClipping = 1;  // clip the diagram bitmap to the visible area
    int PodFilesFirst = 1;    // search the archives before the loose database
    int UndoLevels = 100;     // edits that can be undone, 1..1000
    // The layout checks switched off, by their ids separated by commas.
    std::string DisabledChecks;
    std::array<ColorRef, kCustomColorCount> CustomColors;

    Settings() { CustomColors.fill(Rgb(255, 255, 255)); }
    friend bool operator==(const Settings&, const Settings&) = default;

    // The rotation step in degrees chosen by Rotation.
    double RotationIncrement() const;
};

// "%d %d %d %d"; a text with fewer than four numbers gives the default rectangle.
WindowRect ParseWindowRect(const std::string& text);
// The same, but nothing for a text with fewer than four numbers.
std::optional<WindowRect> ReadWindowRect(const std::string& text);
std::string FormatWindowRect(const WindowRect& rect);

// Reads every key in the start-up order. FlyDir and OutputDir are read only
// when FlyDirSet is not 0 (otherwise the first-start dialog chooses them).
// Missing keys keep their defaults; a decimal outside its range is clamped.
// Why a stored folder is not used: one message for each folder longer than
// a folder setting holds (259 bytes); LoadSettings leaves such a folder empty.
std::vector<std::string> RefusedFolderMessages(const SettingsStore& store);
Settings LoadSettings(const SettingsStore& store);

// Writes every key, the scaled ones as whole hundredths or tenths.
void SaveSettings(const Settings& settings, SettingsStore& store);

// The stored integer of a value kept in fractions of a foot.
int ScaleForStore(double value, int factor);

}  // namespace rollpath
