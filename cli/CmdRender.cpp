#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/ArgParse.h"
#include "cli/PngRendering.h"
#include "cli/StreamMessageSink.h"
#include "document/AtomicFile.h"
#include "document/Utf8Path.h"
#include "project/DocumentPipeline.h"
#include "simdata/OpenAirport.h"
#include "view/HeadlessViewHost.h"
#include "view/RollpathView.h"
#include "view/SvgCanvas.h"

namespace rollpath::cli {

namespace {

constexpr const char* kRenderSynopsis =
    "rollpath-cli render CODE OUT.svg|OUT.png [--size WxH] [--show markings,lights,vertices,grid] [COMMON]\n"
    "COMMON: --fly-dir DIR --output-dir DIR --project-dir DIR --settings FILE.ini --seed N";

constexpr DeviceSize kDefaultSize{1200, 900};
constexpr int kMaxSide = 16384;
constexpr int kRenderDpi = 96;

enum class Format { Svg, Png };

struct RenderArgs {
    CommonOptions common;
    std::string code;
    std::string out;
    Format format = Format::Svg;
    DeviceSize size = kDefaultSize;
    std::vector<CommandId> show;
};

std::optional<int> ParseSide(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > kMaxSide) {
        return std::nullopt;
    }
    return value;
}

std::optional<DeviceSize> ParseSize(std::string_view text) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) {
        return std::nullopt;
    }
    const auto w = ParseSide(text.substr(0, x));
    const auto h = ParseSide(text.substr(x + 1));
    if (!w || !h) {
        return std::nullopt;
    }
    return DeviceSize{*w, *h};
}

std::optional<CommandId> ShowToggle(std::string_view name) {
    if (name == "markings") {
        return CommandId::ViewMarkings;
    }
    if (name == "lights") {
        return CommandId::ViewLights;
    }
    if (name == "vertices") {
        return CommandId::ViewVertices;
    }
    if (name == "grid") {
        return CommandId::ViewGrid;
    }
    return std::nullopt;
}

bool ParseShow(std::string_view list, std::vector<CommandId>& show, std::string& error) {
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        const auto id = ShowToggle(name);
        if (!id) {
            error = "--show takes markings, lights, vertices and grid, not '" + std::string(name) + "'";
            return false;
        }
        if (std::find(show.begin(), show.end(), *id) == show.end()) {
            show.push_back(*id);
        }
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    }
    return true;
}

std::optional<Format> FormatOf(const std::string& path) {
    std::string ext = Utf8FromPath(PathFromUtf8(path).extension());
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".svg") {
        return Format::Svg;
    }
    if (ext == ".png") {
        return Format::Png;
    }
    return std::nullopt;
}

// Fills `r` from the arguments: nothing when they were taken, else the exit
// status with the help or the usage error written out.
std::optional<int> ParseRenderArgs(const Args& args, RenderArgs& r, std::ostream& out, std::ostream& err) {
    CommandParser app("render", kRenderSynopsis);
    app.add_option("CODE", r.code, "the airport's FAA or ICAO code")->required();
    app.add_option("OUT", r.out, "the picture, .svg or .png")->required();
    app.add_option_function<std::string>(
           "--size",
           [&r](const std::string& text) {
               const auto parsed = ParseSize(text);
               if (!parsed) {
                   throw CLI::ValidationError(
                       "--size", "needs WIDTHxHEIGHT in pixels, each 1 to 16384, not '" + text + "'");
               }
               r.size = *parsed;
           },
           "the picture's size in pixels (default 1200x900)")
        ->type_name("WxH");
    app.add_option_function<std::string>(
           "--show",
           [&r](const std::string& text) {
               std::string error;
               if (!ParseShow(text, r.show, error)) {
                   throw CLI::ValidationError(error);
               }
           },
           "what else to draw: markings, lights, vertices, grid")
        ->type_name("LIST");
    AddCommonOptions(app, r.common);
    if (const std::optional<int> status = ParseArgs(app, args, out, err)) {
        return status;
    }
    const auto format = FormatOf(r.out);
    if (!format) {
        return UsageError(err, "OUT must end in .svg or .png: '" + r.out + "'", kRenderSynopsis);
    }
    r.format = *format;
    return std::nullopt;
}

// Opens the airport as the New command does, through the airport loader.
// As the editor opens it: the listed project, else as New.
bool OpenForRendering(CRollpathDoc& doc, const std::string& code) {
    return OpenAirportByCode(doc, code, false, false) && doc.m_bAirportLoaded != 0;
}

}  // namespace

bool WriteSvgRendering(CRollpathView& view, DeviceSize size, const std::filesystem::path& path,
                       MessageSink& messages) {
    SvgCanvas canvas(size.width, size.height, kRenderDpi);
    view.OnDraw(canvas);
    const std::string svg = canvas.Finish();
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(svg.data()), svg.size());
    return WriteFileOrReport(path, bytes, Utf8FromPath(path.filename()), messages);
}

int RunRender(const Args& args, std::ostream& out, std::ostream& err) {
    RenderArgs r;
    if (const std::optional<int> status = ParseRenderArgs(args, r, out, err)) {
        return *status;
    }
    CommandDocument command(err);
    if (!command.Prepare(r.common)) {
        return kExitFailure;
    }
    CRollpathDoc& doc = command.doc;
    StreamMessageSink& messages = command.messages;
    if (r.format == Format::Png && !PngRenderingAvailable()) {
        messages.Show("PNG output needs the build with Qt; write an .svg file instead");
        return kExitFailure;
    }
    if (!OpenForRendering(doc, r.code)) {
        return kExitFailure;
    }

    HeadlessViewHost host(messages, r.size, kRenderDpi);
    CRollpathView view(doc, host);
    view.OnSize(r.size.width, r.size.height);
    view.OnInitialUpdate();
    for (const CommandId id : r.show) {
        view.OnCommand(id);
    }
    const bool written = r.format == Format::Svg
                             ? WriteSvgRendering(view, r.size, PathFromUtf8(r.out), messages)
                             : WritePngRendering(view, r.size, PathFromUtf8(r.out), messages);
    return written ? kExitSuccess : kExitFailure;
}

}  // namespace rollpath::cli
