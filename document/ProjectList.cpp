#include "document/ProjectList.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>

#include "document/AtomicFile.h"
#include "document/MessageSink.h"
#include "document/ProjectListReader.h"
#include "document/RollpathDoc.h"
#include "document/Utf8Path.h"
#include "document/WholeFile.h"
#include "geometry/NumberText.h"

namespace rollpath {

namespace {

std::string_view AsText(std::span<const std::uint8_t> bytes) {
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\:") == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

void SetPendingDefaults(PendingProject& pending, const std::string& code) {
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
}

void SetPendingProject(PendingProject& pending, const std::string& code,
                       const std::filesystem::path& listPath) {
    SetPendingDefaults(pending, code);
    const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(listPath);
    if (!bytes) {
        return;
    }
    ProjectListReader reader(AsText(*bytes));
    ProjectListLine line;
    while (reader.Next(line)) {
        if (line.IsHeader() && line.SectionName() == code) {
            ApplyProjectEntry(ReadProjectEntry(reader, line), pending);
            return;
        }
    }
}

std::map<std::string, PendingProject, std::less<>> ProjectEntries(std::string_view text) {
    std::map<std::string, PendingProject, std::less<>> entries;
    ProjectListReader reader(text);
    ProjectListLine line;
    while (reader.Next(line)) {
        if (line.IsHeader()) {
            const ProjectListEntry entry = ReadProjectEntry(reader, line);
            const std::string code = entry.header.SectionName();
            if (!entries.contains(code)) {
                PendingProject& pending = entries[code];
                SetPendingDefaults(pending, code);
                ApplyProjectEntry(entry, pending);
            }
        }
    }
    return entries;
}

std::vector<std::string> ReadProjectSections(const std::filesystem::path& listPath) {
    const std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(listPath);
    return bytes ? ReadProjectSections(*bytes) : std::vector<std::string>();
}

std::vector<std::string> ReadProjectSections(std::span<const std::uint8_t> bytes) {
    std::vector<std::string> sections;
    ProjectListReader reader(AsText(bytes));
    ProjectListLine line;
    while (reader.Next(line)) {
        if (line.IsHeader()) {
            sections.push_back(line.SectionName());
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
    // " %d %d %d %f", the same in every locale.
    entry += "bmp=\"" + doc.m_szBmpPath + "\" " + std::to_string(doc.m_nBmpX) + " " +
             std::to_string(doc.m_nBmpY) + " " + std::to_string(doc.m_nBmpScale) + " " +
             FormatFixed(doc.m_dRotation, 6) + "\n";
    return entry;
}

std::string ProjectListFailureWords(const std::filesystem::path& listPath) {
    std::error_code ec;
    // A failure before the list existed is a list that cannot be created;
    // after, it is the temporary copy that could not be made.
    return std::filesystem::exists(listPath, ec) ? "Cannot create temporary file."
                                                 : "Cannot open Rollpath.rpj";
}

std::string ProjectListWithout(std::string_view oldText, const std::set<std::string, std::less<>>& codes) {
    // Entries are copied whole, each as its header and three lines, so that a
    // short one cannot take lines of the entry written after it; the entries
    // of the codes, comments and a last line without a line feed (which no
    // reader takes) are dropped.
    std::string text;
    ProjectListReader reader(oldText);
    ProjectListLine line;
    while (reader.Next(line)) {
        if (line.IsHeader()) {
            const ProjectListEntry entry = ReadProjectEntry(reader, line);
            if (!codes.contains(entry.header.SectionName())) {
                text += entry.header.AsWritten() + '\n';
                for (const std::optional<ProjectListLine>& l : entry.lines) {
                    text += (l ? l->AsWritten() : std::string()) + '\n';
                }
            }
        } else if (!line.IsComment() && line.terminated) {
            text += line.AsWritten() + '\n';
        }
    }
    return text;
}

std::optional<std::string> RewrittenProjectList(const CRollpathDoc& doc,
                                                const std::filesystem::path& listPath,
                                                MessageSink& messages) {
    std::string text;
    std::error_code ec;
    if (std::filesystem::exists(listPath, ec)) {
        errno = 0;
        const std::optional<std::vector<std::uint8_t>> old = ReadWholeFile(listPath);
        if (!old) {
            messages.Show(FailureMessage("Cannot open Rollpath.rpj",
                                         Utf8FromPath(listPath) + ": " + LastSystemError().message()));
            return std::nullopt;
        }
        text = ProjectListWithout(AsText(*old), {doc.m_szCode});
    }
    return text + FormatProjectEntry(doc);
}

bool WriteProjectList(const CRollpathDoc& doc, const std::filesystem::path& listPath, MessageSink& messages,
                      FileSystem& files) {
    const std::string words = ProjectListFailureWords(listPath);
    const std::optional<std::string> text = RewrittenProjectList(doc, listPath, messages);
    if (!text) {
        return false;
    }
    // The new list replaces the old one in one rename; it is never deleted
    // first, so a crash in between cannot lose every airport's entry.
    AtomicFile out(listPath, files);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text->data());
    if (!out.Open() || !out.Write(std::span<const std::uint8_t>(bytes, text->size())) || !out.Commit()) {
        messages.Show(FailureMessage(words, out.Failure()));
        return false;
    }
    return true;
}

}  // namespace rollpath
