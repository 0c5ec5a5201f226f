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
#include <string>
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

// Step one of filling the record for a code: the file names from the code,
// no diagram, position 0, 0, scale 100, rotation 0. The safe-mode choice is
// kept.
void SetPendingDefaults(PendingProject& pending, const std::string& code);

// Fills the record for a code: default file names from the code, then the
// first entry of the list whose name equals the code exactly (case matters).
// A missing list leaves the defaults. The safe-mode choice is kept.
void SetPendingProject(PendingProject& pending, const std::string& code,
                       const std::filesystem::path& listPath);

// The section names of the list in file order, as the Open Project dialog
// lists them (it sorts them); empty when the list cannot be read.
std::vector<std::string> ReadProjectSections(const std::filesystem::path& listPath);

// Sorted as the dialog's list box shows them: alphabetically, ignoring case.
void SortProjectSections(std::vector<std::string>& sections);

// The entry written for the document: four lines, each ending in a line feed.
std::string FormatProjectEntry(const CRollpathDoc& doc);

// Rewrites the list with the document's entry at the end: other entries keep
// their order and text, comment lines are dropped. The new list replaces the
// old one in one rename, so a failure leaves the old list as it was. Shows
// "Cannot open Rollpath.rpj" or "Cannot create temporary file." and returns
// false when it cannot write.
bool WriteProjectList(const CRollpathDoc& doc, const std::filesystem::path& listPath, MessageSink& messages,
                      FileSystem& files = RealFileSystem());

}  // namespace rollpath
