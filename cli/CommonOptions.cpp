#include "cli/CommonOptions.h"

#include "document/Utf8Path.h"
#include "project/DocumentPipeline.h"
#include "settings/SettingsIni.h"

#include <system_error>

namespace rollpath::cli {

void ApplyCommonOptions(const CommonOptions& options, Settings& settings, CRollpathDoc& doc) {
    if (options.flyDir) {
        settings.FlyDir = *options.flyDir;
    }
    if (options.outputDir) {
        settings.OutputDir = *options.outputDir;
    }
    doc.SetProgramDir(
        ChooseProgramDir(options.projectDir, settings.ProjectDir, ExecutableDir(), UserDataDir()));
}

bool PrepareDocument(const CommonOptions& options, Settings& settings, CRollpathDoc& doc, std::ostream& err) {
    settings = Settings{};
    if (options.settingsFile) {
        const std::optional<IniSettingsStore> store =
            IniSettingsStore::Load(PathFromUtf8(*options.settingsFile));
        if (!store) {
            err << "rollpath-cli: cannot read settings file '" << *options.settingsFile << "'\n";
            return false;
        }
        settings = SettingsFromIni(*store);
    }
    doc.SetSettings(&settings);
    ApplyCommonOptions(options, settings, doc);
    doc.SetTriangulationSeed(options.seed);
    // The project list and the side files are written there; a per-user
    // folder may not exist yet on a first run.
    std::error_code ec;
    std::filesystem::create_directories(doc.ProgramDir(), ec);
    return true;
}

bool CommandDocument::Open(const CommonOptions& options, const std::string& code, bool loadTms,
                           bool safeMode) {
    return Prepare(options) && OpenAirportByCode(doc, code, loadTms, safeMode);
}

}  // namespace rollpath::cli
