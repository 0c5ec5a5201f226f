#pragma once

// The options every airport command takes:
//   --fly-dir DIR --output-dir DIR --project-dir DIR --settings FILE.ini --seed N
// each also as --name=VALUE.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/StreamMessageSink.h"
#include "document/ProgramDir.h"
#include "document/RollpathDoc.h"
#include "settings/Settings.h"

namespace rollpath::cli {

struct CommonOptions {
    std::optional<std::string> flyDir;
    std::optional<std::string> outputDir;
    std::optional<std::string> projectDir;
    std::optional<std::string> settingsFile;
    std::optional<std::uint32_t> seed;  // for the triangulator's generator
};

// The Fly! and output folders go into the settings, the project folder (or
// the default) into the document.
void ApplyCommonOptions(const CommonOptions& options, Settings& settings, CRollpathDoc& doc);

// Everything an airport command sets up before it opens the airport: the
// settings (from --settings FILE.ini when given, else the defaults), the
// folders, the triangulator's seed, and the document attached to the
// settings. False, with the reason on err, when the INI file cannot be read.
bool PrepareDocument(const CommonOptions& options, Settings& settings, CRollpathDoc& doc, std::ostream& err);

// One airport command's settings and document, its messages on err. The sink
// and the settings come first: they outlive the document that points to them.
struct CommandDocument {
    explicit CommandDocument(std::ostream& errors) : err(errors), messages(errors) {
        doc.SetMessageSink(&messages);
    }
    bool Prepare(const CommonOptions& options) { return PrepareDocument(options, settings, doc, err); }
    // Prepared, then the airport opened as the editor opens it: the listed
    // project, else as New.
    bool Open(const CommonOptions& options, const std::string& code, bool loadTms = false,
              bool safeMode = false);

    std::ostream& err;
    StreamMessageSink messages;
    Settings settings;
    CRollpathDoc doc;
};

}  // namespace rollpath::cli
