#include "view/CommandIds.h"

#include <algorithm>

namespace rollpath {

namespace {

using C = CommandId;

constexpr CommandInfo kCommands[] = {
    {C::FileNew, "new", "&New\tCtrl+N", "Create New Rollpath File\nNew"},
    {C::FileOpen, "open", "&Open...\tCtrl+O", "Open Rollpath File\nOpen"},
    {C::FileSave, "save", "&Save\tCtrl+S", "Save the active document\nSave"},
    {C::Preferences, "preferences", "Preferences...", "Program Preferences"},
    {C::FilePrint, "print", "&Print...\tCtrl+P", "Print the active document\nPrint"},
    {C::FilePrintPreview, "print-preview", "Print Pre&view", "Display full pages\nPrint Preview"},
    {C::FilePrintSetup, "print-setup", "P&rint Setup...",
     "Change the printer and printing options\nPrint Setup"},
    {C::RecentFile, "recent-file", "Recent File", "Open this document"},
    {C::AppExit, "exit", "E&xit", "Quit the application; prompts to save documents\nExit"},
    {C::EditUndo, "undo", "&Undo\tCtrl+Z", "Undo the last action\nUndo"},
    {C::EditRedo, "redo", "&Redo\tCtrl+Shift+Z", "Redo the previously undone action\nRedo"},
    {C::EditCut, "cut", "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut"},
    {C::EditCopy, "copy", "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy"},
    {C::EditPaste, "paste", "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste"},
    {C::EditDelete, "delete", "&Delete\tDel", ""},
    {C::AirportProperties, "properties", "Properties...", "Airport Properties"},
    {C::ViewToolbar, "toolbar", "&Toolbar", "Show or hide the toolbar\nToggle Toolbar"},
    {C::ViewStatusBar, "status-bar", "&Status Bar", "Show or hide the status bar\nToggle Status Bar"},
    {C::ViewRunways, "runways", "&Runways\tCtrl+R", "Show/Hide Runways"},
    {C::ViewRollpaths, "rollpaths", "R&ollpaths\tCtrl+A", "Show/Hide Rollpaths"},
    {C::ViewPolygons, "polygons", "&Polygons\tCtrl+G", "Show/Hide Polygons"},
    {C::ViewVertices, "vertices", "&Vertices\tCtrl+E", "Show/Hide Rollpath Vertices"},
    {C::ViewLights, "lights", "&Lights\tCtrl+L", "Show/Hide Lights\nLights"},
    {C::ViewMarkings, "markings", "&Markings\tCtrl+M", "Show/Hide Markings\nMarkings"},
    {C::ViewGrid, "grid", kShowGridText, "Show/Hide Grid"},
    {C::ViewDiagram, "diagram", kHideDiagramText, "Show/Hide Airport Diagram\nShow/Hide Diagram"},
    {C::Zoom, "zoom", "&Zoom", "Zoom\nZoom"},
    // The view turns by "<" (or ",") for CW and ">" (or ".") for CCW; the
    // items name the keys that run them.
    {C::RotateCW, "rotate-cw", "Rotate &CW\t<", "Rotate Clockwise"},
    {C::RotateCCW, "rotate-ccw", "Rotate CC&W\t>", "Rotate Counter Clockwise"},
    {C::RollpathTool, "rollpath-tool", "&Rollpath\tCtrl+T", "Rollpath Tool\nRollpath"},
    {C::PolygonTool, "polygon-tool", "&Polygon\tCtrl+Y", "Polygon Tool\nPolygon"},
    {C::PlaceSource, "place-source", "Place &Source",
     "Set the vertex for the initial aircraft position\nSource"},
    {C::PlaceSink, "place-sink", "Place Sin&k", "Set the vertex for the final aircraft position\nSink"},
    {C::RollpathWidth, "width", "Rollpath &Width...\tCtrl+W", ""},
    {C::LoadDiagram, "load-diagram", "&Load\tCtrl+B", "Load Airport Diagram\nLoad Diagram"},
    {C::PositionDiagram, "position-diagram", "&Position...", "Position Airport Diagram\nPosition Diagram"},
    {C::HelpTopics, "help-topics", "&Help Topics", "List Help topics\nHelp Topics"},
    {C::AppAbout, "about", "&About Rollpath...",
     "Display program information, version number and copyright\nAbout"},
    {C::ContextCut, "context-cut", "Cu&t", "Cut the selection and put it on the Clipboard\nCut"},
    {C::ContextCopy, "context-copy", "&Copy", "Copy the selection and put it on the Clipboard\nCopy"},
    {C::ContextPaste, "context-paste", "&Paste", "Insert Clipboard contents\nPaste"},
    {C::InsertVertex, "insert-vertex", "&Insert Vertex", "Insert Vertex"},
    {C::DeleteVertex, "delete-vertex", "&Delete Vertex", "Delete Vertex"},
    {C::CenterAtMouse, "center", "Ce&nter", "Center diagram at mouse"},
    {C::ContextProperties, "context-properties", "Pr&operties...", "Open Object Property Sheet"},
};

constexpr CommandId kFileMenu[] = {C::FileNew,        C::FileOpen,  C::FileSave,   C::Separator,
                                   C::Preferences,    C::Separator, C::FilePrint,  C::FilePrintPreview,
                                   C::FilePrintSetup, C::Separator, C::RecentFile, C::Separator,
                                   C::AppExit};
constexpr CommandId kEditMenu[] = {C::EditUndo,   C::EditRedo,  C::Separator,
                                   C::EditCut,    C::EditCopy,  C::EditPaste,
                                   C::EditDelete, C::Separator, C::AirportProperties};
constexpr CommandId kToolsMenu[] = {C::RollpathTool, C::PolygonTool, C::Separator,    C::PlaceSource,
                                    C::PlaceSink,    C::Separator,   C::RollpathWidth};
constexpr CommandId kDiagramMenu[] = {C::LoadDiagram, C::PositionDiagram};
constexpr CommandId kHelpMenu[] = {C::HelpTopics, C::Separator, C::AppAbout};

constexpr CommandId kToolbar[] = {
    C::FileNew,      C::FileOpen,  C::FileSave,     C::Separator,   C::EditCut,     C::EditCopy,
    C::EditPaste,    C::EditUndo,  C::EditRedo,     C::Separator,   C::Zoom,        C::ViewLights,
    C::ViewMarkings, C::Separator, C::RollpathTool, C::PolygonTool, C::PlaceSource, C::PlaceSink};

constexpr CommandId kContextMenu[] = {C::ContextCut,   C::ContextCopy,   C::ContextPaste,     C::InsertVertex,
                                      C::DeleteVertex, C::CenterAtMouse, C::ContextProperties};

constexpr Accelerator kAccelerators[] = {
    {"Ctrl+A", C::ViewRollpaths},
    {"Ctrl+B", C::LoadDiagram},
    {"Ctrl+C", C::EditCopy},
    {"Ctrl+D", C::ViewDiagram},
    {"Ctrl+E", C::ViewVertices},
    {"Ctrl+G", C::ViewPolygons},
    {"Ctrl+L", C::ViewLights},
    {"Ctrl+M", C::ViewMarkings},
    {"Ctrl+N", C::FileNew},
    {"Ctrl+O", C::FileOpen},
    {"Ctrl+P", C::FilePrint},
    {"Ctrl+R", C::ViewRunways},
    {"Ctrl+S", C::FileSave},
    {"Ctrl+T", C::RollpathTool},
    {"Ctrl+V", C::EditPaste},
    {"Ctrl+X", C::EditCut},
    {"Ctrl+Z", C::EditUndo},
    {"Alt+Backspace", C::EditUndo},
    {"Ctrl+Shift+Z", C::EditRedo},
    {"Shift+Del", C::EditCut},
    {"Ctrl+Ins", C::EditCopy},
    {"Shift+Ins", C::EditPaste},
    // Named in the menu texts of their items.
    {"Ctrl+W", C::RollpathWidth},
    {"Ctrl+Y", C::PolygonTool},
};

}  // namespace

const std::array<CommandId, 15> kViewMenuCommands = {
    C::ViewToolbar,  C::ViewStatusBar, C::Separator,  C::ViewRunways,  C::ViewRollpaths,
    C::ViewPolygons, C::ViewVertices,  C::ViewLights, C::ViewMarkings, C::ViewGrid,
    C::ViewDiagram,  C::Separator,     C::Zoom,       C::RotateCW,     C::RotateCCW};

namespace {

const MenuPopup kMenuBar[] = {
    {"&File", kFileMenu},   {"&Edit", kEditMenu},       {kViewMenuTitle, kViewMenuCommands},
    {"&Tools", kToolsMenu}, {"&Diagram", kDiagramMenu}, {"&Help", kHelpMenu},
};

}  // namespace

std::span<const CommandInfo> AllCommands() {
    return kCommands;
}

const CommandInfo* FindCommand(CommandId id) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [id](const CommandInfo& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

const CommandInfo* FindCommandByName(std::string_view name) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [name](const CommandInfo& c) { return c.name == name; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

std::optional<CommandId> CommandFromNumber(int number) {
    const CommandInfo* info = FindCommand(static_cast<CommandId>(number));
    if (info == nullptr) {
        return std::nullopt;
    }
    return info->id;
}

std::span<const MenuPopup> MenuBarLayout() {
    return kMenuBar;
}
std::span<const CommandId> ToolbarLayout() {
    return kToolbar;
}
std::span<const CommandId> ContextMenuLayout() {
    return kContextMenu;
}
std::span<const Accelerator> Accelerators() {
    return kAccelerators;
}

}  // namespace rollpath
