#include "sessions/EditingSession.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

namespace rollpath::testing {

namespace {

using Lines = std::vector<std::string>;

// Clicks land on a grid, so that later steps meet what earlier ones drew:
// drags start on vertices and corners, right clicks find segments. 150 ft
// apart, well beyond the 25 ft sensitivities.
constexpr int kGridStep = 150;
constexpr int kGridHalf = 8;
// Steps that need to know what they click draw in a strip of their own,
// north-east of everything the grid and the sample airports reach, each
// farther from the next than the widest rollpath reaches.
constexpr int kStripX = 15000;
constexpr int kStripY = 15000;
constexpr int kStripSlots = 8;
constexpr int kStripSpacing = 1200;
constexpr int kStripLength = 200;
// RapidCheck's largest size, at which its choices cover their whole range.
constexpr int kFullSize = 100;

std::string At(int x, int y) {
    return std::to_string(x) + " " + std::to_string(y);
}

rc::Gen<std::string> GridPoint() {
    return rc::gen::exec([] {
        const int i = *rc::gen::inRange(-kGridHalf, kGridHalf + 1);
        const int j = *rc::gen::inRange(-kGridHalf, kGridHalf + 1);
        return At(i * kGridStep, j * kGridStep);
    });
}

// A grid point, or the middle of a grid edge (where a segment drawn between
// two grid points passes).
rc::Gen<std::string> PickPoint() {
    return rc::gen::exec([] {
        const int i = *rc::gen::inRange(-kGridHalf, kGridHalf + 1);
        const int j = *rc::gen::inRange(-kGridHalf, kGridHalf + 1);
        const int half = *rc::gen::inRange(0, 3);
        return At(i * kGridStep + (half == 1 ? kGridStep / 2 : 0),
                  j * kGridStep + (half == 2 ? kGridStep / 2 : 0));
    });
}

// Widths as an author might type them: sensible ones, ones out of range,
// text that is no number, a decimal comma.
rc::Gen<std::string> WidthText() {
    return rc::gen::weightedOneOf<std::string>({
        {4, rc::gen::map(
                rc::gen::inRange(10, 10001),
                [](int tenths) { return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10); })},
        {1, rc::gen::map(rc::gen::inRange(1, 1001), [](int feet) { return std::to_string(feet); })},
        {2, rc::gen::element<std::string>("0", "-5", "0.5", "1000.1", "1500", "1e6", "-1e300", "abc", "",
                                          "nan", "inf", "12,5", " 75 ", "1000", "1")},
    });
}

rc::Gen<std::string> Check() {
    return rc::gen::element<std::string>("0", "1");
}

// A tool's clicks on the grid, ended by a right click on the last.
Lines GridClicksOfTool(const std::string& tool, int fewest, int most) {
    const int n = *rc::gen::inRange(fewest, most + 1);
    Lines lines{"command " + tool};
    std::string last;
    for (int k = 0; k < n; ++k) {
        last = *GridPoint();
        lines.push_back("click " + last);
    }
    lines.push_back("rclick " + last);
    return lines;
}

// A vertex an earlier step drew, chosen when the session is put together
// (WithKnownPoints), so that drags press on vertices and corners that exist.
std::string KnownPoint() {
    return "@" + std::to_string(*rc::gen::inRange(0, 1000));
}

// A point on the centre line of KPAO's runway, up to its ends, where the
// rebuild pins what is dropped.
std::string OnTheRunway() {
    const double t = *rc::gen::inRange(-100, 101) / 100.0;
    return At(static_cast<int>(871 * t), static_cast<int>(-966 * t));
}

// Whatever lies under the press is dragged: mostly a vertex an earlier step
// drew (the tool that step left on put down first), else whatever lies on
// the grid (a polygon, a hold bar). It is often dropped onto another vertex
// or the runway, where the rebuild merges or pins it.
Lines Drag() {
    const bool known = *rc::gen::inRange(0, 4) != 0;
    Lines lines;
    if (known) {
        lines = {"key escape", "press " + KnownPoint()};
    } else {
        lines = {"press " + *PickPoint()};
    }
    const int moves = *rc::gen::inRange(1, 3);
    std::string to;
    for (int k = 0; k < moves; ++k) {
        to = *rc::gen::weightedOneOf<std::string>(
            {{1, PickPoint()}, {2, rc::gen::exec(&KnownPoint)}, {1, rc::gen::exec(&OnTheRunway)}});
        lines.push_back("move " + to);
    }
    lines.push_back("release " + to);
    return lines;
}

Lines EditSelection() {
    return {"click " + *PickPoint(),
            *rc::gen::element<std::string>("command delete", "command cut", "command copy", "command paste",
                                           "command undo")};
}

// A right-button command where a segment, polygon or runway lies, or on a
// vertex an earlier step drew (taken as a vertex while vertices are shown).
Lines ContextCommand() {
    Lines lines{"rclick " + (*rc::gen::arbitrary<bool>() ? *PickPoint() : KnownPoint()),
                *rc::gen::element<std::string>("command context-cut", "command context-copy",
                                               "command context-paste", "command insert-vertex",
                                               "command delete-vertex", "command center", "command undo")};
    if (*rc::gen::inRange(0, 3) == 0) {
        lines.insert(lines.begin(), "command vertices");
        lines.push_back("command vertices");
    }
    return lines;
}

// Properties of whatever lies there, answered with a width (typed into the
// first field of a Rollpath Properties dialog), as it is, or cancelled.
Lines Properties() {
    const std::string answer = *rc::gen::weightedOneOf<std::string>({
        {3, rc::gen::map(WidthText(), [](std::string w) { return "\"" + w + "\""; })},
        {1, rc::gen::element<std::string>("yes", "cancel")},
    });
    return {"answer " + answer, "rclick " + *PickPoint(), "command context-properties"};
}

// A rollpath of its own in the strip, then its flags and those of its first
// vertex set through the property dialogs. The type goes first and No
// Polygon last, as both decide which flags can be set.
Lines FlagsOnARollpathOfItsOwn() {
    const int x = kStripX + kStripSpacing * *rc::gen::inRange(0, kStripSlots);
    Lines lines{"command rollpath-tool", "click " + At(x, kStripY), "click " + At(x, kStripY + kStripLength),
                "rclick " + At(x, kStripY + kStripLength)};
    if (*rc::gen::arbitrary<bool>()) {
        std::string fields = "dialog Type=Rollpath \"No Polygon=0\"";
        for (const char* flag : {"No Markings", "No Lighting", "No Exit", "No Fill", "Critical Hold"}) {
            fields += " \"" + std::string(flag) + "=" + *Check() + "\"";
        }
        fields += " \"Width=" + *WidthText() + "\"";
        if (*rc::gen::arbitrary<bool>()) {
            fields += " \"No Polygon=1\"";
        }
        if (*rc::gen::arbitrary<bool>()) {
            fields += " \"Type=Runway Centerline\"";
        }
        lines.push_back(fields);
        lines.push_back("rclick " + At(x, kStripY + kStripLength / 2));
        lines.push_back("command context-properties");
    }
    if (*rc::gen::arbitrary<bool>()) {
        // Vertices are picked only while they are shown.
        lines.push_back("command vertices");
        lines.push_back("dialog \"No Polygon=" + *Check() + "\" \"No Markings=" + *Check() +
                        "\" \"No Lighting=" + *Check() + "\"");
        lines.push_back("rclick " + At(x, kStripY));
        lines.push_back("command context-properties");
        lines.push_back("command vertices");
    }
    return lines;
}

Lines RollpathWidth() {
    const std::string width = *WidthText();
    const std::string answer =
        *rc::gen::arbitrary<bool>() ? "dialog \"Width=" + width + "\"" : "answer \"" + width + "\"";
    return {answer, "command width"};
}

// Placed on the grid or on a vertex drawn earlier; the sink may follow onto
// the source, or the source be cut through its context menu.
Lines SourceOrSink() {
    const std::string at = *rc::gen::arbitrary<bool>() ? *GridPoint() : KnownPoint();
    Lines lines{*rc::gen::element<std::string>("command place-source", "command place-sink"), "click " + at,
                "rclick " + at};
    if (*rc::gen::arbitrary<bool>()) {
        lines.insert(lines.end(), {"command place-source", "click " + at, "rclick " + at});
        if (*rc::gen::arbitrary<bool>()) {
            lines.insert(lines.end(), {"command place-sink", "click " + at, "rclick " + at});
        } else {
            lines.insert(lines.end(),
                         {"command vertices", "rclick " + at, "command context-cut", "command vertices"});
        }
    }
    return lines;
}

// A chain bent by about a degree, in a row of its own north of the strip,
// then the straightening pass.
Lines StraightenABentChain() {
    const int x = kStripX + kStripSpacing * *rc::gen::inRange(0, kStripSlots);
    const int y = kStripY + kStripSpacing;
    return {"command rollpath-tool",
            "click " + At(x, y),
            "click " + At(x + 1, y + kStripLength / 2),
            "click " + At(x, y + kStripLength),
            "rclick " + At(x, y + kStripLength),
            "char O"};
}

// The runway's properties from a right click on KPAO's centre line, with
// the rollpaths and polygons that would be picked first hidden.
Lines RunwayProperties() {
    return {"command rollpaths",       "command polygons",           "dialog Closed=" + *Check(),
            "rclick " + OnTheRunway(), "command context-properties", "command rollpaths",
            "command polygons"};
}

// A path up to the longest the editor keeps, in folders that need not exist.
std::string LongPath(int length) {
    std::string path = "/tmp/rollpath diagrams";
    while (static_cast<int>(path.size()) + 12 < length) {
        path += "/scans of 19";
    }
    path += "/kpao";
    path.append(static_cast<std::size_t>(std::max(0, length - static_cast<int>(path.size()) - 4)), 'x');
    return path + ".bmp";
}

Lines LoadDiagram(const SessionOptions& options) {
    std::string path = options.diagramPath;
    if (path.empty() || *rc::gen::inRange(0, 4) == 0) {
        path = LongPath(*rc::gen::inRange(40, 260));
    }
    return {"answer \"" + path + "\"", "command load-diagram"};
}

// Positioning: the diagram dragged, then the Position dialog's fields.
Lines PositionDiagram() {
    Lines lines{"command position-diagram"};
    if (*rc::gen::arbitrary<bool>()) {
        const std::string to = *PickPoint();
        lines.insert(lines.end(), {"press " + *PickPoint(), "move " + to, "release " + to});
    }
    std::string fields = "modeless";
    if (*rc::gen::arbitrary<bool>()) {
        fields += " Horizontal=" + std::to_string(*rc::gen::inRange(-5000, 5001));
    }
    if (*rc::gen::arbitrary<bool>()) {
        fields += " Vertical=" + std::to_string(*rc::gen::inRange(-5000, 5001));
    }
    if (*rc::gen::arbitrary<bool>()) {
        fields += " Scale=" + std::to_string(*rc::gen::inRange(-20, 400));
    }
    lines.push_back(fields + " " + *rc::gen::element<std::string>("ok", "cancel"));
    return lines;
}

Lines ViewOrNetworkCommand() {
    return {*rc::gen::element<std::string>("command rotate-cw", "command rotate-ccw", "key pageup",
                                           "key pagedown", "key left", "key up", "char R", "char O",
                                           "command undo")};
}

}  // namespace

std::vector<std::vector<std::string>> WithKnownPoints(std::vector<std::vector<std::string>> steps) {
    std::vector<std::string> known;
    std::string pressed;
    bool drawing = false;  // clicks of the rollpath tool make vertices
    for (auto& step : steps) {
        for (std::string& line : step) {
            const std::size_t at = line.find(" @");
            if (at != std::string::npos) {
                const int k = std::stoi(line.substr(at + 2));
                const int side = 2 * kGridHalf + 1;
                line = line.substr(0, at + 1) + (known.empty()
                                                     ? At((k % side - kGridHalf) * kGridStep,
                                                          (k / side % side - kGridHalf) * kGridStep)
                                                     : known[static_cast<std::size_t>(k) % known.size()]);
            }
            const std::string point = line.substr(line.find(' ') + 1);
            if (line.starts_with("command ")) {
                drawing = line == "command rollpath-tool";
            } else if (drawing && line.starts_with("click ")) {
                known.push_back(point);
            } else if (line.starts_with("press ")) {
                pressed = point;
            } else if (line.starts_with("release ")) {
                // What was pressed now lies where it was dropped.
                std::replace(known.begin(), known.end(), pressed, point);
            }
        }
    }
    return steps;
}

std::vector<std::string> EditingSession::Lines() const {
    std::vector<std::string> lines{opening + " " + airport};
    for (const auto& step : steps) {
        lines.insert(lines.end(), step.begin(), step.end());
    }
    return lines;
}

std::string EditingSession::Script() const {
    std::string script;
    for (const std::string& line : Lines()) {
        script += line + "\n";
    }
    return script;
}

void showValue(const EditingSession& session, std::ostream& os) {
    os << "\n" << session.Script();
}

rc::Gen<std::vector<std::string>> GenEditingStep(const SessionOptions& options) {
    using Make = std::function<Lines()>;
    std::vector<std::pair<int, Make>> kinds{
        {6, [] { return GridClicksOfTool("rollpath-tool", 1, 4); }},
        {3, [] { return GridClicksOfTool("polygon-tool", 2, 6); }},
        {8, &Drag},
        {2, &EditSelection},
        {4, &ContextCommand},
        {3, &Properties},
        {2, &FlagsOnARollpathOfItsOwn},
        {2, &RollpathWidth},
        {2, &SourceOrSink},
        {1, &StraightenABentChain},
        {1, [options] { return LoadDiagram(options); }},
        {1, &PositionDiagram},
        {2, &ViewOrNetworkCommand},
    };
    if (options.airports == std::vector<std::string>{"KPAO"}) {
        kinds.push_back({1, &RunwayProperties});
    }
    if (options.saves) {
        kinds.push_back({1, [] { return Lines{"save"}; }});
    }
    return rc::gen::exec([kinds] {
        int total = 0;
        for (const auto& kind : kinds) {
            total += kind.first;
        }
        int pick = *rc::gen::inRange(0, total);
        for (const auto& [weight, make] : kinds) {
            if (pick < weight) {
                return make();
            }
            pick -= weight;
        }
        return Lines{};
    });
}

rc::Gen<EditingSession> GenEditingSession(const SessionOptions& options) {
    return rc::gen::exec([options] {
        EditingSession session;
        // Choices are made over their whole range whatever the size, which
        // decides only how many steps a session has (up to maxSteps).
        session.airport = *rc::gen::resize(kFullSize, rc::gen::elementOf(options.airports));
        session.steps =
            WithKnownPoints(*rc::gen::scale(options.maxSteps / static_cast<double>(kFullSize),
                                            rc::gen::container<std::vector<std::vector<std::string>>>(
                                                rc::gen::resize(kFullSize, GenEditingStep(options)))));
        return session;
    });
}

}  // namespace rollpath::testing
