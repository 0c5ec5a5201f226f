#pragma once

// Opening and saving an airport as the editor does it: the New and Open
// commands, Save with the order in which it writes every file, and the
// "Save changes?" prompt. The GUI, the CLI and the tests drive these same
// functions through small dialog interfaces.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "document/FileSystem.h"
#include "document/ProjectList.h"
#include "document/RollpathDoc.h"
#include "simdata/OpenAirport.h"
#include "simdata/SceneryReadBack.h"

namespace rollpath {

// The editor's own scenery readers, wired into opening an airport.
SceneryReadBack EditorSceneryReadBack();

// "Rollpath.rpj" in the document's program folder.
std::filesystem::path ProjectListPath(const CRollpathDoc& doc);

// The New command: the Open Airport dialog, then the airport with its files.
bool NewDocument(CRollpathDoc& doc, OpenAirportDialog& dialog, bool startingUp);

// Opens the pending project into the document (the path the framework
// passes is the code itself and is not used). The list's scale below 1 opens
// as 100, a rotation outside [0, 360) as 0.
bool OnOpenDocument(CRollpathDoc& doc, const PendingProject& pending);

// What the Open Project dialog returns on OK.
struct OpenProjectChoice {
    std::string code;  // the selected entry; empty when nothing was selected
    bool safeMode = false;
};

// The Open Project dialog: shows the sections (sorted) and returns the
// choice, or nothing on Cancel.
class OpenProjectDialog {
public:
    virtual ~OpenProjectDialog() = default;
    virtual std::optional<OpenProjectChoice> Run(const std::vector<std::string>& sections) = 0;
};

// The Open command. Cancel, or OK with no entry selected, does nothing; an
// entry longer than an airport code is refused with a message. Otherwise the
// pending project is filled for the code and opened. True when opened.
bool OnFileOpen(CRollpathDoc& doc, OpenProjectDialog& dialog, PendingProject& pending);

// A path from the recent-file list or the command line: its file title is
// the code. The safe-mode choice of the last Open Project dialog stays.
bool OpenDocumentFile(CRollpathDoc& doc, const std::filesystem::path& path, PendingProject& pending);

// Save: the project list (this airport's entry last), the compaction of the
// vertex pool, then the polygon, network, side and pavement files. A missing
// output folder is made when its parent exists. Every file is written to a
// temporary one first, and they replace the old files all together or not
// at all: a file that cannot be created or written shows one message, with
// its path and the system's reason, and nothing is replaced. True, and the
// document no longer modified, only when every file was written. A document
// read from its pavement file alone writes the editable files only where
// none exist yet, and never its pavement file.
// A batch build that writes the project list itself (once for many
// airports) leaves it out of every Save.
enum class ProjectListUpdate { Rewrite, Leave };
bool Save(CRollpathDoc& doc, FileSystem& files = RealFileSystem(),
          ProjectListUpdate listUpdate = ProjectListUpdate::Rewrite);

// The question, naming the airport: "Save changes to KSFO?".
std::string SaveChangesQuestion(const CRollpathDoc& doc);

// The "Save changes?" prompt of a modified document before it is closed.
// False when the user cancels, or when the save that was asked for failed
// (so the unsaved work is not thrown away).
bool SaveModified(CRollpathDoc& doc, FileSystem& files = RealFileSystem());

// What the view's first update does to the model of an opened airport: the
// network rebuild, the rebuild of all pavement and the tile grid, so that a
// headless open builds the same pavement as the editor.
void PrepareOpenedDocument(CRollpathDoc& doc);

// Opens a code as the editor would in a batch build: from the project list
// when it is listed there, otherwise as the New command does. With loadTms
// the pavement file is read instead of the editor's files.
bool OpenAirportByCode(CRollpathDoc& doc, const std::string& code, bool loadTms, bool safeMode);

// The same with the list read beforehand: the code (in capitals) opens from
// its entry when it has one, otherwise as the New command opens it.
bool OpenAirportFromEntry(CRollpathDoc& doc, const std::string& code, const PendingProject* entry,
                          bool loadTms, bool safeMode);

}  // namespace rollpath
