#include "document/ProjectListReader.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "geometry/NumberText.h"

namespace rollpath {

namespace {

std::string WithoutCarriageReturn(std::string line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

// Reads an int the way "%d" does, saturating instead of overflowing.
bool ParseInt(std::string_view& text, int& value) {
    std::size_t used = 0;
    const std::optional<int> v = ParseInteger(text, &used);
    if (!v) {
        return false;
    }
    text.remove_prefix(used);
    value = *v;
    return true;
}

bool ParseDouble(std::string_view& text, double& value) {
    std::size_t used = 0;
    const std::optional<double> v = ParseDecimal(text, &used);
    if (!v) {
        return false;
    }
    text.remove_prefix(used);
    value = *v;
    return true;
}

// Where an unquoted diagram path ends: right after a ".bmp" extension (in
// any case) at the first ".", otherwise at the end of the text.
std::size_t UnquotedPathEnd(const std::string& text) {
    const std::size_t dot = text.find('.');
    if (dot == std::string::npos || dot + 4 > text.size()) {
        return text.size();
    }
    std::string ext = text.substr(dot, 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".bmp" ? dot + 4 : text.size();
}

// The "bmp=" line after its "=": the path, then "%d %d %d %lf".
void ParseDiagramLine(const std::string& text, PendingProject& pending) {
    std::size_t pos = 0;
    if (!text.empty() && text[0] == '"') {
        const std::size_t close = text.find('"', 1);
        if (close == std::string::npos) {
            pending.bmpPath = text.substr(1);
            pos = text.size();
        } else {
            pending.bmpPath = text.substr(1, close - 1);
            pos = close + 1;
        }
    } else {
        pos = UnquotedPathEnd(text);
        pending.bmpPath = text.substr(0, pos);
    }
    std::string_view p = std::string_view(text).substr(pos);
    if (!ParseInt(p, pending.bmpX) || !ParseInt(p, pending.bmpY) || !ParseInt(p, pending.bmpScale)) {
        return;
    }
    ParseDouble(p, pending.rotation);
}

// The text after the first "=" of an entry line, read whole: every line the
// editor writes must come back as it was written.
std::optional<std::string> ValueOf(const std::optional<ProjectListLine>& line) {
    const std::string text = line ? line->AsWritten() : std::string();
    const std::size_t eq = text.find('=');
    if (eq == std::string::npos) {
        return std::nullopt;
    }
    return text.substr(eq + 1);
}

}  // namespace

std::string ProjectSectionName(std::string_view line) {
    const std::size_t close = line.find(']', 1);
    return std::string(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

std::string ProjectListLine::AsWritten() const {
    return WithoutCarriageReturn(text);
}

std::string ProjectListLine::AsRead(std::size_t maxLength) const {
    return WithoutCarriageReturn(text.substr(0, maxLength));
}

bool ProjectListReader::Next(ProjectListLine& line) {
    if (pos_ >= text_.size()) {
        return false;
    }
    const std::size_t feed = text_.find('\n', pos_);
    const std::size_t end = feed == std::string_view::npos ? text_.size() : feed;
    line.text.assign(text_.substr(pos_, end - pos_));
    line.terminated = feed != std::string_view::npos;
    line.offset = pos_;
    line.number = ++number_;
    pos_ = line.terminated ? end + 1 : end;
    return true;
}

ProjectListEntry ReadProjectEntry(ProjectListReader& reader, ProjectListLine header) {
    ProjectListEntry entry;
    entry.header = std::move(header);
    for (std::optional<ProjectListLine>& line : entry.lines) {
        ProjectListReader ahead = reader;
        ProjectListLine next;
        if (!ahead.Next(next) || next.StartsSection()) {
            break;
        }
        reader = ahead;
        line = std::move(next);
    }
    return entry;
}

void ApplyProjectEntry(const ProjectListEntry& entry, PendingProject& pending) {
    if (std::optional<std::string> txp = ValueOf(entry.lines[0])) {
        pending.txpName = std::move(*txp);
    }
    if (std::optional<std::string> bgr = ValueOf(entry.lines[1])) {
        pending.bgrName = std::move(*bgr);
    }
    if (const std::optional<std::string> bmp = ValueOf(entry.lines[2])) {
        ParseDiagramLine(*bmp, pending);
    }
}

}  // namespace rollpath
