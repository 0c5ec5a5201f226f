#pragma once

// Reading the project list "Rollpath.rpj" line by line, the one way all its
// readers share: opening a listed airport, the Open Project dialog's list,
// the rewrite at Save and the dump.
//
// A line ends at a line feed; a carriage return before it (a list written on
// Windows) is not part of the line. Readers look at most at the first 254
// characters of a header, and at the lines of an entry whole. A last line
// without a line feed is ignored, except as one of the three lines of an
// entry, which are taken by position. An entry ends early at a line that
// starts the next section: its missing lines keep their defaults.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "document/ProjectList.h"

namespace rollpath {

inline constexpr std::size_t kListLineLength = 254;

// The text between "[" and the first "]" (or the end of the line).
std::string ProjectSectionName(std::string_view line);

struct ProjectListLine {
    std::string text;         // the bytes of the line, without its line feed
    bool terminated = false;  // it ended with a line feed
    std::size_t offset = 0;   // of its first byte in the file
    std::size_t number = 0;   // counted from 1

    // The whole line without a carriage return at its end.
    std::string AsWritten() const;
    // The first maxLength characters, without a carriage return at their end.
    std::string AsRead(std::size_t maxLength) const;

    bool IsComment() const { return text.starts_with(';'); }
    bool StartsSection() const { return text.starts_with('['); }
    // A header the readers take as the start of an entry.
    bool IsHeader() const { return terminated && StartsSection(); }
    // The section name as readers see it (the line cut to 254 characters).
    std::string SectionName() const { return ProjectSectionName(AsRead(kListLineLength)); }
};

class ProjectListReader {
public:
    // The reader keeps a view of the text, which must outlive it.
    explicit ProjectListReader(std::string_view text) : text_(text) {}
    // The next line; false at the end of the text.
    bool Next(ProjectListLine& line);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t number_ = 0;
};

// An entry: its header and the three lines after it.
struct ProjectListEntry {
    ProjectListLine header;
    // Nothing where the file or the entry ended first.
    std::array<std::optional<ProjectListLine>, 3> lines;
};

// Takes the three lines after a header, whatever they hold, up to a line
// that starts another section (which is left to be read next).
ProjectListEntry ReadProjectEntry(ProjectListReader& reader, ProjectListLine header);

// What the entry's lines give the pending record: the text after the first
// "=" of the first and second line as the polygon and network file names,
// and from the third line (when it has an "=") the diagram path and its
// placement. A line without "=" leaves its fields as they were.
void ApplyProjectEntry(const ProjectListEntry& entry, PendingProject& pending);

}  // namespace rollpath
