#pragma once

// The project list "Rollpath.rpj": one four-line entry per saved airport,
// holding what is needed to reopen it (the code, the polygon and network
// file names, the diagram and its placement).
//
//   [CODE]
//   txp=CODE.txp
//   bgr=CODE.bgr
//   bmp="PATH" X Y SCALE ROTATION

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/FileSystem.h"

namespace rollpath {

class CRollpathDoc;
class MessageSink;

inline constexpr const char* kProjectListName = "Rollpath.rpj";

// What the Open command hands to the document for a listed airport.
struct PendingProject {
    std::string code;
    std::string txdName;
    std::string txpName;
    std::string bgrName;
    std::string tmsName;
    std::string bmpPath;
    int bmpX = 0;
    int bmpY = 0;
    int bmpScale = 100;
    double rotation = 0.0;
    int safeMode = 0;
};

// A name a list entry may give a scenery file: a plain file name, with no
// folder, drive, ".." or absolute path in it, so that a list received from
// someone else cannot make Save write outside the output folder.
bool IsPlainFileName(std::string_view name);

// Step one of filling the record for a code: the file names from the code,
// no diagram, position 0, 0, scale 100, rotation 0. The safe-mode choice is
// kept.
void SetPendingDefaults(PendingProject& pending, const std::string& code);

// Fills the record for a code: default file names from the code, then the
// first entry of the list whose name equals the code exactly (case matters).
// A missing list leaves the defaults. The safe-mode choice is kept.
void SetPendingProject(PendingProject& pending, const std::string& code,
                       const std::filesystem::path& listPath);

// Every entry of a list's text by its code, each filled as SetPendingProject
// fills it (the first entry of a code counts).
std::map<std::string, PendingProject, std::less<>> ProjectEntries(std::string_view text);

// The section names of the list in file order, as the Open Project dialog
// lists them (it sorts them); empty when the list cannot be read.
std::vector<std::string> ReadProjectSections(const std::filesystem::path& listPath);
// The same over the list's bytes.
std::vector<std::string> ReadProjectSections(std::span<const std::uint8_t> bytes);

// Sorted as the dialog's list box shows them: alphabetically, ignoring case.
void SortProjectSections(std::vector<std::string>& sections);

// The entry written for the document: four lines, each ending in a line feed.
std::string FormatProjectEntry(const CRollpathDoc& doc);

// The list's text without the entries of the codes: other entries keep their
// order and text (each written as its header and three lines), comment lines
// and an unterminated last line outside an entry are dropped.
std::string ProjectListWithout(std::string_view oldText, const std::set<std::string, std::less<>>& codes);

// The list as Save rewrites it, with the document's entry at the end: other
// entries keep their order and text (each written as its header and three
// lines, so that an entry the file cut short cannot take the lines of the
// next), comment lines and an unterminated last line outside an entry are
// dropped. Nothing, after "Cannot open Rollpath.rpj" with the path and the
// reason, when the old list cannot be read.
std::optional<std::string> RewrittenProjectList(const CRollpathDoc& doc,
                                                const std::filesystem::path& listPath, MessageSink& messages);

// The start of the message when the rewritten list cannot be written: the
// list cannot be created, or (when it exists) its temporary copy.
std::string ProjectListFailureWords(const std::filesystem::path& listPath);

// Rewrites the list (RewrittenProjectList) on its own. The new list replaces
// the old one in one rename, so a failure leaves the old list as it was.
// Shows "Cannot open Rollpath.rpj" or "Cannot create temporary file." with
// the path and the reason, and returns false when it cannot write.
bool WriteProjectList(const CRollpathDoc& doc, const std::filesystem::path& listPath, MessageSink& messages,
                      FileSystem& files = RealFileSystem());

}  // namespace rollpath
