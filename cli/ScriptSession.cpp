#include "cli/ScriptSession.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <span>
#include <sstream>
#include <system_error>

#include "cli/Commands.h"
#include "cli/DocumentJson.h"
#include "cli/Json.h"
#include "cli/PngRendering.h"
#include "document/AnsiText.h"
#include "document/AtomicFile.h"
#include "document/Utf8Path.h"
#include "project/DocumentPipeline.h"

namespace rollpath::cli {

namespace {

constexpr int kMaxClientSide = 16384;

// A number as scripts write it: an optional sign, digits with a point, an
// exponent; nothing else, in every locale.
std::optional<double> ParseNumber(std::string_view text) {
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::optional<ViewKey> KeyNamed(const std::string& name) {
    static constexpr std::pair<std::string_view, ViewKey> kKeys[] = {
        {"delete", ViewKey::Delete}, {"pageup", ViewKey::PageUp}, {"pagedown", ViewKey::PageDown},
        {"left", ViewKey::Left},     {"right", ViewKey::Right},   {"up", ViewKey::Up},
        {"down", ViewKey::Down},     {"home", ViewKey::Home},     {"end", ViewKey::End},
        {"escape", ViewKey::Escape},
    };
    const std::string lower = LowerCase(name);
    for (const auto& [text, key] : kKeys) {
        if (lower == text) {
            return key;
        }
    }
    return std::nullopt;
}

template <typename Records, typename T>
int IndexIn(const Records& records, const T* record) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].get() == record) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const char* CursorName(ViewCursor cursor) {
    switch (cursor) {
        case ViewCursor::Arrow:
            return "arrow";
        case ViewCursor::Cross:
            return "cross";
        case ViewCursor::Zoom:
            return "zoom";
        case ViewCursor::Positioning:
            return "positioning";
    }
    return "arrow";
}

}  // namespace

bool SplitScriptLine(std::string_view line, std::vector<std::string>& words, std::string& error) {
    words.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])) != 0) {
            ++i;
        }
        if (i >= line.size() || line[i] == '#') {
            break;
        }
        std::string word;
        bool quoted = false;
        for (; i < line.size(); ++i) {
            const char c = line[i];
            if (c == '"') {
                quoted = !quoted;
            } else if (!quoted && std::isspace(static_cast<unsigned char>(c)) != 0) {
                break;
            } else {
                word += c;
            }
        }
        if (quoted) {
            error = "unclosed quote";
            return false;
        }
        words.push_back(std::move(word));
    }
    return true;
}

ScriptSession::ScriptSession(std::ostream& err)
    : m_Err(err), m_Messages(err, m_Responses), m_Host(m_Messages, err, m_Responses), m_View(m_Doc, m_Host) {
    m_Doc.SetMessageSink(&m_Messages);
}

bool ScriptSession::Prepare(const CommonOptions& options) {
    return PrepareDocument(options, m_Settings, m_Doc, m_Err);
}

int ScriptSession::Run(std::istream& script, const std::string& name) {
    m_View.OnSize(m_Host.client.width, m_Host.client.height);
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        Words words;
        std::string error;
        Step step = SplitScriptLine(line, words, error) ? Step::Next : Step::Usage;
        if (step == Step::Next && !words.empty()) {
            step = Execute(words, error);
        }
        if (step == Step::Next && !m_Host.fieldError.empty()) {
            error = m_Host.fieldError;
            m_Host.fieldError.clear();
            step = Step::Usage;
        }
        if (step != Step::Next) {
            m_Err << "rollpath-cli: " << name << ":" << number << ": " << error << '\n';
            return step == Step::Usage ? kExitUsage : kExitFailure;
        }
    }
    return kExitSuccess;
}

ScriptSession::Step ScriptSession::Execute(const Words& words, std::string& error) {
    const std::string& name = words.front();
    if (name == "new") {
        return New(words, error);
    }
    if (name == "open") {
        return Open(words, error);
    }
    if (name == "size") {
        return Size(words, error);
    }
    if (name == "command") {
        return Command(words, error);
    }
    if ((name == "undo" || name == "redo") && words.size() == 1) {
        return Command(Words{"command", name}, error);
    }
    if (name == "click" || name == "press" || name == "move" || name == "release" || name == "rclick") {
        return Mouse(words, error);
    }
    if (name == "char") {
        return Char(words, error);
    }
    if (name == "key") {
        return Key(words, error);
    }
    if (name == "answer") {
        return Answer(words, error);
    }
    if (name == "dialog") {
        return Dialog(words, error);
    }
    if (name == "modeless") {
        return Modeless(words, error);
    }
    if (name == "save" && words.size() == 1) {
        return Save();
    }
    if (name == "dump-doc") {
        return DumpDoc(words, error);
    }
    if (name == "render") {
        return Render(words, error);
    }
    error = "unknown command '" + name + "'";
    return Step::Usage;
}

// --- Opening -----------------------------------------------------------------------

ScriptSession::Step ScriptSession::New(const Words& words, std::string& error) {
    if (words.size() < 2 || words.size() > 3 || (words.size() == 3 && words[2] != "tms")) {
        error = "usage: new CODE [tms]";
        return Step::Usage;
    }
    // As the New command: a modified airport is offered for saving first.
    if (!SaveModified(m_Doc)) {
        return Step::Next;
    }
    FixedOpenAirportDialog dialog(OpenAirportChoice{words[1], words.size() == 3});
    const bool opened = NewDocument(m_Doc, dialog, false);
    if (opened) {
        m_View.OnInitialUpdate();
    }
    if (!opened || m_Doc.m_bAirportLoaded == 0) {
        error = "cannot open airport '" + words[1] + "'";
        return Step::Failed;
    }
    return Step::Next;
}

ScriptSession::Step ScriptSession::Open(const Words& words, std::string& error) {
    if (words.size() < 2 || words.size() > 3 || (words.size() == 3 && words[2] != "safe")) {
        error = "usage: open CODE [safe]";
        return Step::Usage;
    }
    if (!SaveModified(m_Doc)) {
        return Step::Next;
    }
    bool opened = false;
    if (!IsAirportCode(words[1])) {
        m_Doc.Messages().Show(kBadCodeMessage);
    } else {
        PendingProject pending;
        pending.safeMode = words.size() == 3 ? 1 : 0;
        std::string code = words[1];
        std::transform(code.begin(), code.end(), code.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        SetPendingProject(pending, code, ProjectListPath(m_Doc));
        opened = OnOpenDocument(m_Doc, pending);
    }
    if (opened) {
        m_View.OnInitialUpdate();
    }
    if (!opened || m_Doc.m_bAirportLoaded == 0) {
        error = "cannot open airport '" + words[1] + "'";
        return Step::Failed;
    }
    return Step::Next;
}

ScriptSession::Step ScriptSession::Size(const Words& words, std::string& error) {
    const auto w = words.size() == 3 ? ParseNumber(words[1]) : std::nullopt;
    const auto h = words.size() == 3 ? ParseNumber(words[2]) : std::nullopt;
    if (!w || !h || *w < 1 || *h < 1 || *w > kMaxClientSide || *h > kMaxClientSide || *w != std::floor(*w) ||
        *h != std::floor(*h)) {
        error = "usage: size W H (whole pixels, 1 to 16384)";
        return Step::Usage;
    }
    m_Host.client = DeviceSize{static_cast<int>(*w), static_cast<int>(*h)};
    m_View.OnSize(m_Host.client.width, m_Host.client.height);
    return Step::Next;
}

// --- Commands, mouse and keys ----------------------------------------------------------

ScriptSession::Step ScriptSession::Command(const Words& words, std::string& error) {
    if (words.size() != 2) {
        error = "usage: command NAME|ID";
        return Step::Usage;
    }
    std::optional<CommandId> id;
    if (const CommandInfo* info = FindCommandByName(words[1])) {
        id = info->id;
    } else if (const auto number = ParseNumber(words[1]);
               number && *number == std::floor(*number) && std::fabs(*number) < 1e9) {
        id = CommandFromNumber(static_cast<int>(*number));
    }
    if (!id) {
        error = "unknown command '" + words[1] + "'";
        return Step::Usage;
    }
    if (*id == CommandId::FileSave) {
        return Save();
    }
    if (*id == CommandId::FileNew || *id == CommandId::FileOpen) {
        error = "use 'new CODE' or 'open CODE' to open an airport";
        return Step::Usage;
    }
    // As a menu item: a disabled command cannot be chosen.
    const std::optional<CommandUI> ui = m_View.UpdateCommandUI(*id);
    if (ui && !ui->enabled) {
        m_Err << "rollpath-cli: command " << words[1] << " is disabled\n";
        return Step::Next;
    }
    if (!m_View.OnCommand(*id)) {
        m_Err << "rollpath-cli: command " << words[1] << " is not handled by the view\n";
    }
    return Step::Next;
}

ScriptSession::Step ScriptSession::Mouse(const Words& words, std::string& error) {
    const std::string& name = words.front();
    const bool shift = words.size() == 4 && words[3] == "shift";
    const auto x = words.size() >= 3 ? ParseNumber(words[1]) : std::nullopt;
    const auto y = words.size() >= 3 ? ParseNumber(words[2]) : std::nullopt;
    if (!x || !y || words.size() > 4 || (words.size() == 4 && !shift)) {
        error = "usage: " + name + " X Y [shift]";
        return Step::Usage;
    }
    const DevicePoint point = ToDevice(*x, *y);
    m_Host.shift = shift;
    // The pointer gets there before a button goes down or up, as a real
    // mouse's does.
    m_View.OnMouseMove(point);
    m_View.OnSetCursor();
    if (name == "click" || name == "press") {
        m_View.OnLButtonDown(point);
    }
    if (name == "click" || name == "release") {
        m_View.OnLButtonUp(point);
    }
    if (name == "rclick") {
        m_View.OnRButtonDown(point);
    }
    m_Host.shift = false;
    return Step::Next;
}

ScriptSession::Step ScriptSession::Char(const Words& words, std::string& error) {
    if (words.size() != 2 || words[1].size() != 1) {
        error = "usage: char C (one character)";
        return Step::Usage;
    }
    m_View.OnChar(words[1].front());
    return Step::Next;
}

ScriptSession::Step ScriptSession::Key(const Words& words, std::string& error) {
    const auto key = words.size() == 2 ? KeyNamed(words[1]) : std::nullopt;
    if (!key) {
        error = "usage: key Delete|PageUp|PageDown|Left|Right|Up|Down|Home|End|Escape";
        return Step::Usage;
    }
    m_View.OnKeyDown(*key);
    return Step::Next;
}

ScriptSession::Step ScriptSession::Answer(const Words& words, std::string& error) {
    if (words.size() != 2) {
        error = "usage: answer yes|no|cancel|TEXT";
        return Step::Usage;
    }
    m_Responses.push_back(ScriptResponse::FromAnswer(words[1]));
    return Step::Next;
}

ScriptSession::Step ScriptSession::Dialog(const Words& words, std::string& error) {
    ScriptResponse response;
    response.type = ScriptResponse::Type::Fields;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::size_t eq = words[i].find('=');
        if (eq == std::string::npos || eq == 0) {
            error = "usage: dialog FIELD=VALUE ...";
            return Step::Usage;
        }
        response.fields.push_back(ScriptField{words[i].substr(0, eq), words[i].substr(eq + 1)});
    }
    if (response.fields.empty()) {
        error = "usage: dialog FIELD=VALUE ...";
        return Step::Usage;
    }
    m_Responses.push_back(std::move(response));
    return Step::Next;
}

// Values typed into the open modeless dialog (the diagram's Position
// dialog) at once, then its OK or Cancel when the last word says so.
ScriptSession::Step ScriptSession::Modeless(const Words& words, std::string& error) {
    DialogAnswer answer;
    answer.end = DialogEnd::KeepOpen;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::size_t eq = words[i].find('=');
        if (i + 1 == words.size() && (words[i] == "ok" || words[i] == "cancel")) {
            answer.end = words[i] == "ok" ? DialogEnd::Ok : DialogEnd::Cancel;
        } else if (eq == std::string::npos || eq == 0) {
            error = "usage: modeless FIELD=VALUE ... [ok|cancel]";
            return Step::Usage;
        } else {
            answer.fields.emplace_back(words[i].substr(0, eq), words[i].substr(eq + 1));
        }
    }
    DialogModel* dialog = m_Host.dialogs.OpenModeless();
    if (dialog == nullptr) {
        m_Err << "rollpath-cli: modeless: no modeless dialog is open\n";
        return Step::Next;
    }
    const std::string title = dialog->Title();
    const std::size_t problems = m_Host.dialogs.problems.size();
    m_Host.dialogs.AnswerModeless(answer);
    if (m_Host.dialogs.problems.size() > problems) {
        error = "dialog \"" + AnsiToUtf8(title) + "\": " + m_Host.dialogs.problems[problems];
        return Step::Usage;
    }
    // A refused OK leaves the dialog open, as the user sees it.
    if (answer.end == DialogEnd::Ok && dialog->Refusal()) {
        m_Messages.Show(dialog->Refusal()->message);
    }
    return Step::Next;
}

// --- Files ------------------------------------------------------------------------------

ScriptSession::Step ScriptSession::Save() {
    if (m_Doc.m_bAirportLoaded == 0) {
        m_Err << "rollpath-cli: save: no airport is open\n";
        return Step::Next;
    }
    const bool saved = rollpath::Save(m_Doc);
    m_View.OnDocumentSaved();
    return saved ? Step::Next : Step::Failed;
}

ScriptSession::Step ScriptSession::DumpDoc(const Words& words, std::string& error) {
    if (words.size() != 2) {
        error = "usage: dump-doc FILE.json";
        return Step::Usage;
    }
    std::ostringstream text;
    {
        JsonWriter json(text);
        json.BeginObject();
        json.Key("document");
        WriteDocument(json, m_Doc);
        json.Key("view");
        WriteViewState(json);
        json.EndObject();
    }
    text << '\n';
    const std::string bytes = text.str();
    const std::filesystem::path path = PathFromUtf8(words[1]);
    if (!WriteFileOrReport(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                           Utf8FromPath(path.filename()), m_Messages)) {
        error = "cannot write " + words[1];
        return Step::Failed;
    }
    return Step::Next;
}

ScriptSession::Step ScriptSession::Render(const Words& words, std::string& error) {
    if (words.size() != 2) {
        error = "usage: render FILE.svg|FILE.png";
        return Step::Usage;
    }
    const std::filesystem::path path = PathFromUtf8(words[1]);
    const std::string ext = LowerCase(Utf8FromPath(path.extension()));
    bool written = false;
    if (ext == ".svg") {
        written = WriteSvgRendering(m_View, m_Host.client, path, m_Messages);
    } else if (ext == ".png") {
        if (!PngRenderingAvailable()) {
            m_Messages.Show("PNG output needs the build with Qt; write an .svg file instead");
        } else {
            written = WritePngRendering(m_View, m_Host.client, path, m_Messages);
        }
    } else {
        error = "render writes .svg or .png files, not '" + words[1] + "'";
        return Step::Usage;
    }
    if (!written) {
        error = "cannot write " + words[1];
        return Step::Failed;
    }
    return Step::Next;
}

// --- Helpers ------------------------------------------------------------------------------

DevicePoint ScriptSession::ToDevice(double x, double y) const {
    const DPoint world{x, y};
    LPoint l;
    m_View.ProjectPoints(1, &world, &l, true);
    // Far points saturate in logical units; the scaling must not overflow.
    const double dpi = m_Host.dpi;
    return DevicePoint{TruncToInt(std::round(static_cast<double>(l.x) * dpi / 1000.0)),
                       TruncToInt(std::round(-static_cast<double>(l.y) * dpi / 1000.0))};
}

void ScriptSession::WriteViewState(JsonWriter& json) const {
    const CRollpathView& v = m_View;
    json.BeginObject();
    json.Field("dragState", v.m_nDragState);
    json.Field("rollpathTool", v.m_bRollpathTool).Field("polygonTool", v.m_bPolygonTool);
    json.Field("placeSource", v.m_bPlaceSource).Field("placeSink", v.m_bPlaceSink);
    json.Field("zoomMode", v.m_bZoomMode).Field("positioning", v.m_bPositioning);
    json.Field("rollpathWidth", v.m_dRollpathWidth).Field("zoom", v.m_nZoom);
    json.Field("scrollX", v.m_nScrollX).Field("scrollY", v.m_nScrollY);
    json.Field("selectedPolygon", IndexIn(m_Doc.m_pPolygons, v.m_pSelectedPolygon));
    json.Field("selectedMarking", IndexIn(m_Doc.m_pMarkings, v.m_pSelectedMarking));
    json.Key("segmentList").BeginArray();
    for (const RollpathSegment* s : v.m_SegmentList) {
        json.Int(IndexIn(m_Doc.m_pSegments, s));
    }
    json.EndArray();
    json.Field("activeIndex", v.m_nActiveIndex);
    json.Key("context").BeginObject();
    json.Field("kind", v.m_Context.kind);
    json.Field("segment", IndexIn(m_Doc.m_pSegments, v.m_Context.segment));
    json.Field("polygon", IndexIn(m_Doc.m_pPolygons, v.m_Context.polygon));
    json.Field("runway", IndexIn(m_Doc.m_pRunways, v.m_Context.runway));
    json.Field("vertex", v.m_Context.vertex).Field("segmentsAtVertex", v.m_Context.segmentsAtVertex);
    json.Field("polygonPoint", v.m_Context.polygonPoint);
    json.EndObject();
    const CEditHistory& history = m_Doc.History();
    json.Key("undo").BeginObject();
    json.Field("kind", history.UndoKind()).Field("available", history.CanUndo());
    json.Field("steps", history.UndoSteps());
    json.EndObject();
    json.Key("redo").BeginObject();
    json.Field("kind", history.RedoKind()).Field("available", history.CanRedo());
    json.Field("steps", history.RedoSteps());
    json.EndObject();
    json.Field("captured", m_Host.captured);
    json.Key("prompt").AnsiString(m_Host.prompt);
    json.Field("cursor", CursorName(m_Host.cursor));
    json.Field("contextMenus", static_cast<int>(m_Host.contextMenus.size()));
    json.EndObject();
}

}  // namespace rollpath::cli
