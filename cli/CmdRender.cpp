#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/CommonOptions.h"
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

constexpr const char* kSynopsis =
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

// The option's value from "--name VALUE" or "--name=VALUE"; nothing when the
// argument is another one. `missing` is set when the value is absent.
std::optional<std::string> OptionValue(const Args& args, std::size_t& i, std::string_view name,
                                       bool& missing) {
    const std::string_view arg = args[i];
    if (arg == name) {
        if (i + 1 >= args.size()) {
            missing = true;
            return std::nullopt;
        }
        i += 2;
        return args[i - 1];
    }
    if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=') {
        ++i;
        return std::string(arg.substr(name.size() + 1));
    }
    return std::nullopt;
}

// Fills `r` from the arguments; an error text when they cannot be used.
std::string ParseRenderArgs(const Args& args, RenderArgs& r) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size();) {
        std::string error;
        switch (ParseCommonOption(args, i, r.common, error)) {
            case OptionParse::Consumed:
                continue;
            case OptionParse::Error:
                return error;
            case OptionParse::NotCommon:
                break;
        }
        bool missing = false;
        if (const auto size = OptionValue(args, i, "--size", missing)) {
            const auto parsed = ParseSize(*size);
            if (!parsed) {
                return "--size needs WIDTHxHEIGHT in pixels, each 1 to 16384, not '" + *size + "'";
            }
            r.size = *parsed;
            continue;
        }
        if (const auto show = OptionValue(args, i, "--show", missing)) {
            if (!ParseShow(*show, r.show, error)) {
                return error;
            }
            continue;
        }
        if (missing) {
            return args[i] + " needs a value";
        }
        if (args[i].starts_with("--")) {
            return "unexpected argument '" + args[i] + "'";
        }
        positional.push_back(args[i++]);
    }
    if (positional.size() != 2) {
        return positional.size() < 2 ? "missing CODE or OUT" : "unexpected argument '" + positional[2] + "'";
    }
    r.code = positional[0];
    r.out = positional[1];
    const auto format = FormatOf(r.out);
    if (!format) {
        return "OUT must end in .svg or .png: '" + r.out + "'";
    }
    r.format = *format;
    return {};
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

int RunRender(const Args& args, std::ostream& /*out*/, std::ostream& err) {
    RenderArgs r;
    if (const std::string error = ParseRenderArgs(args, r); !error.empty()) {
        return UsageError(err, error, kSynopsis);
    }
    Settings settings;
    CRollpathDoc doc;
    StreamMessageSink messages(err);
    doc.SetMessageSink(&messages);
    if (!PrepareDocument(r.common, settings, doc, err)) {
        return kExitFailure;
    }
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
