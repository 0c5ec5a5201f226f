#include "document/ProjectList.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "document/AtomicFile.h"
#include "document/MessageSink.h"
#include "document/RollpathDoc.h"

namespace rollpath {

namespace {

// Lines of the list are read up to these lengths; the rest of a longer line
// is skipped.
constexpr std::size_t kListLineLength = 254;
constexpr std::size_t kEntryLineLength = 259;

// Reads a text file line by line the way the list has always been read: a
// line ends at a line feed (a carriage return before it is dropped, for lists
// written on Windows), and whether the line had its line feed is reported.
class LineReader {
public:
    explicit LineReader(std::istream& in) : in_(in) {}

    // False at end of file. Otherwise the line (cut to maxLength) and whether
    // it ended with a line feed.
    bool Next(std::string& line, std::size_t maxLength, bool& terminated) {
        line.clear();
        terminated = false;
        bool any = false;
        std::streambuf* buf = in_.rdbuf();
        for (int c = buf->sbumpc(); c != std::char_traits<char>::eof(); c = buf->sbumpc()) {
            any = true;
            if (c == '\n') {
                terminated = true;
                break;
            }
            if (line.size() < maxLength) {
                line.push_back(static_cast<char>(c));
            }
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        return any;
    }

    // A whole line, without the length limit.
    bool NextWhole(std::string& line, bool& terminated) { return Next(line, std::string::npos, terminated); }

private:
    std::istream& in_;
};

// The text between "[" and the first "]" (or the end of the line).
std::string SectionName(const std::string& line) {
    const std::size_t close = line.find(']', 1);
    return line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}

bool IsSectionLine(const std::string& line) {
    return !line.empty() && line[0] == '[';
}

bool IsCommentLine(const std::string& line) {
    return !line.empty() && line[0] == ';';
}

// Reads an int the way "%d" does, saturating instead of overflowing.
bool ParseInt(const char*& p, int& value) {
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(p, &end, 10);
    if (end == p) {
        return false;
    }
    p = end;
    value = static_cast<int>(std::clamp<long>(v, INT_MIN, INT_MAX));
    return true;
}

bool ParseDouble(const char*& p, double& value) {
    char* end = nullptr;
    const double v = std::strtod(p, &end);
    if (end == p) {
        return false;
    }
    p = end;
    value = v;
    return true;
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
        // Without quotes the path ends right after a ".bmp" extension.
        const std::size_t dot = text.find('.');
        if (dot != std::string::npos && dot + 4 <= text.size()) {
            std::string ext = text.substr(dot, 4);
            std::transform(ext.begin(), ext.end(), ext.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (ext == ".bmp") {
                pending.bmpPath = text.substr(0, dot + 4);
                pos = dot + 4;
            } else {
                pending.bmpPath = text;
                pos = text.size();
            }
        } else {
            pending.bmpPath = text;
            pos = text.size();
        }
    }
    const std::string rest = text.substr(pos);
    const char* p = rest.c_str();
    if (!ParseInt(p, pending.bmpX) || !ParseInt(p, pending.bmpY) || !ParseInt(p, pending.bmpScale)) {
        return;
    }
    ParseDouble(p, pending.rotation);
}

}  // namespace

void SetPendingProject(PendingProject& pending, const std::string& code,
                       const std::filesystem::path& listPath) {
    pending.code = code;
    pending.txdName = code + ".txd";
    pending.txpName = code + ".txp";
    pending.bgrName = code + ".bgr";
    pending.tmsName = code + ".tms";
    pending.bmpPath.clear();
    pending.bmpX = 0;
    pending.bmpY = 0;
    pending.bmpScale = 100;
    pending.rotation = 0.0;

    std::ifstream in(listPath, std::ios::binary);
    if (!in) {
        return;
    }
    LineReader reader(in);
    std::string line;
    bool terminated = false;
    while (reader.Next(line, kListLineLength, terminated)) {
        if (!terminated || !IsSectionLine(line) || SectionName(line) != code) {
            continue;
        }
        // The three lines after the header are taken by position, not by key.
        std::string entry[3];
        for (std::string& e : entry) {
            if (!reader.Next(e, kEntryLineLength, terminated)) {
                e.clear();
            }
        }
        if (const std::size_t eq = entry[0].find('='); eq != std::string::npos) {
            pending.txpName = entry[0].substr(eq + 1);
        }
        if (const std::size_t eq = entry[1].find('='); eq != std::string::npos) {
            pending.bgrName = entry[1].substr(eq + 1);
        }
        if (const std::size_t eq = entry[2].find('='); eq != std::string::npos) {
            ParseDiagramLine(entry[2].substr(eq + 1), pending);
        }
        return;
    }
}

std::vector<std::string> ReadProjectSections(const std::filesystem::path& listPath) {
    std::vector<std::string> sections;
    std::ifstream in(listPath, std::ios::binary);
    if (!in) {
        return sections;
    }
    LineReader reader(in);
    std::string line;
    bool terminated = false;
    while (reader.Next(line, kListLineLength, terminated)) {
        if (terminated && IsSectionLine(line)) {
            sections.push_back(SectionName(line));
        }
    }
    return sections;
}

void SortProjectSections(std::vector<std::string>& sections) {
    const auto lower = [](const std::string& s) {
        std::string out = s;
        std::transform(out.begin(), out.end(), out.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return out;
    };
    std::stable_sort(sections.begin(), sections.end(),
                     [&](const std::string& a, const std::string& b) { return lower(a) < lower(b); });
}

std::string FormatProjectEntry(const CRollpathDoc& doc) {
    std::string entry = "[" + doc.m_szCode + "]\n";
    entry += "txp=" + doc.m_szTxpName + "\n";
    entry += "bgr=" + doc.m_szBgrName + "\n";
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, " %d %d %d %f\n", doc.m_nBmpX, doc.m_nBmpY, doc.m_nBmpScale,
                  doc.m_dRotation);
    entry += "bmp=\"" + doc.m_szBmpPath + "\"" + numbers;
    return entry;
}

bool WriteProjectList(const CRollpathDoc& doc, const std::filesystem::path& listPath, MessageSink& messages,
                      FileSystem& files) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(listPath, ec);
    // A failure before the list existed is a list that cannot be created;
    // after, it is the temporary copy that could not be made.
    const char* const failure = exists ? "Cannot create temporary file." : "Cannot open Rollpath.rpj";

    std::string text;
    if (exists) {
        std::ifstream in(listPath, std::ios::binary);
        if (!in) {
            messages.Show("Cannot open Rollpath.rpj");
            return false;
        }
        // Other entries are copied whole (a long diagram path must not lose
        // the numbers after it); this airport's own entry and comments are
        // dropped.
        LineReader reader(in);
        std::string line;
        bool terminated = false;
        int skip = 0;
        while (reader.NextWhole(line, terminated)) {
            if (skip > 0) {
                --skip;
                continue;
            }
            if (IsCommentLine(line)) {
                continue;
            }
            if (IsSectionLine(line) && SectionName(line) == doc.m_szCode) {
                skip = 3;
                continue;
            }
            text += line;
            text += '\n';
        }
    }
    text += FormatProjectEntry(doc);

    // The new list replaces the old one in one rename; it is never deleted
    // first, so a crash in between cannot lose every airport's entry.
    AtomicFile out(listPath, files);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (!out.Open() || !out.Write(std::span<const std::uint8_t>(bytes, text.size())) || !out.Commit()) {
        messages.Show(failure);
        return false;
    }
    return true;
}

}  // namespace rollpath
