#pragma once

// Every command of the menus, the toolbar and the view's context menu: its
// number, menu text and status prompt (the text before a line feed goes to
// the message pane, the text after it is the toolbar tooltip). The frame
// builds its actions from these tables; the view and the CLI script take
// commands by id.

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace rollpath {

enum class CommandId : int {
    Separator = 0,  // in menu and toolbar layouts only
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    Preferences = 32781,
    FilePrint = 57607,
    FilePrintPreview = 57609,
    FilePrintSetup = 57606,
    RecentFile = 57616,
    AppExit = 57665,
    EditUndo = 57643,
    EditRedo = 57644,
    EditCut = 57635,
    EditCopy = 57634,
    EditPaste = 57637,
    EditDelete = 32788,
    AirportProperties = 32780,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
    ViewRunways = 32785,
    ViewRollpaths = 32786,
    ViewPolygons = 32787,
    ViewVertices = 32797,
    ViewLights = 32800,
    ViewMarkings = 32801,
    ViewGrid = 32802,
    ViewDiagram = 32773,
    Zoom = 32776,
    RotateCW = 32778,
    RotateCCW = 32779,
    RollpathTool = 32782,
    PolygonTool = 32783,
    PlaceSource = 32798,
    PlaceSink = 32799,
    RollpathWidth = 32789,
    LoadDiagram = 32771,
    PositionDiagram = 32774,
    HelpTopics = 57667,
    AppAbout = 57664,
    ContextCut = 32790,
    ContextCopy = 32792,
    ContextPaste = 32791,
    InsertVertex = 32795,
    DeleteVertex = 32796,
    CenterAtMouse = 32793,
    ContextProperties = 32794,
};

struct CommandInfo {
    CommandId id;
    std::string_view name;      // the readable name scripts use, e.g. "rollpath-tool"
    std::string_view menuText;  // with "&" mnemonics and "\t" before the shortcut
    std::string_view prompt;    // may be empty
};

std::span<const CommandInfo> AllCommands();
const CommandInfo* FindCommand(CommandId id);
const CommandInfo* FindCommandByName(std::string_view name);
// A command by its number, when it is one of ours.
std::optional<CommandId> CommandFromNumber(int number);

// The two texts of the items whose text follows the view's state.
inline constexpr std::string_view kShowGridText = "Show &Grid";
inline constexpr std::string_view kHideGridText = "Hide &Grid";
inline constexpr std::string_view kShowDiagramText = "Show &Diagram\tCtrl+D";
inline constexpr std::string_view kHideDiagramText = "Hide &Diagram\tCtrl+D";
inline constexpr std::string_view kViewMenuTitle = "&View";

struct MenuPopup {
    std::string_view title;
    std::span<const CommandId> items;  // Separator between groups
};

// The menu bar, popup by popup, as its resource lays it out.
std::span<const MenuPopup> MenuBarLayout();
// The View popup's items (the ones whose texts the view switches are here).
extern const std::array<CommandId, 15> kViewMenuCommands;
// The toolbar's buttons left to right, Separator between groups.
std::span<const CommandId> ToolbarLayout();
// The right-button menu of the view.
std::span<const CommandId> ContextMenuLayout();

struct Accelerator {
    std::string_view keys;  // "Ctrl+A", "Shift+Del" ...
    CommandId id;
};
std::span<const Accelerator> Accelerators();

}  // namespace rollpath
