#include "sessions/SessionRunner.h"

#include <algorithm>
#include <sstream>
#include <system_error>

#include "document/ProjectList.h"
#include "document/WholeFile.h"
#include "support/BitmapFiles.h"
#include "support/SampleInstallation.h"

namespace rollpath::testing {

namespace {

constexpr std::uint32_t kTriangulationSeed = 12345;

void EmptyFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    std::filesystem::create_directories(folder, ec);
}

}  // namespace

SessionFolders::SessionFolders() : dir_("rollpath-session") {
    WriteSampleInstallation(FlyDir(), SampleLayout::Loose);
    std::filesystem::create_directories(ProgramDir());
    WriteBytes(DiagramPath(), QuarteredBitmap(16, 8));
}

void SessionFolders::Clear() const {
    EmptyFolder(OutputDir());
    EmptyFolder(ProgramDir());
}

const SessionFolders& Folders() {
    static const SessionFolders folders;
    return folders;
}

cli::CommonOptions SessionFolders::Options() const {
    cli::CommonOptions options;
    options.flyDir = FlyDir().string();
    options.projectDir = ProgramDir().string();
    options.seed = kTriangulationSeed;
    return options;
}

std::string SessionFolders::ReplayCommands(const std::string& scriptPath) const {
    return "rollpath-cli sample-install " + FlyDir().string() + " --layout loose\n" + "mkdir -p " +
           ProgramDir().string() + "  # and any bitmap as " + DiagramPath().string() + "\n" +
           "rollpath-cli script " + scriptPath + " --fly-dir " + FlyDir().string() + " --project-dir " +
           ProgramDir().string() + " --seed " + std::to_string(kTriangulationSeed) + "\n";
}

ScriptRun::ScriptRun(const SessionFolders& folders) : session_(err_) {
    session_.Prepare(folders.Options());
}

int ScriptRun::Run(const std::string& script) {
    std::istringstream in(script);
    return session_.Run(in, "session");
}

int ScriptRun::Run(const std::vector<std::string>& lines) {
    std::string script;
    for (const std::string& line : lines) {
        script += line + "\n";
    }
    return Run(script);
}

SavedFiles ReadSavedFiles(const SessionFolders& folders, const CRollpathDoc& doc) {
    SavedFiles files;
    for (const std::string& name : {doc.m_szTxpName, doc.m_szBgrName, doc.m_szTmsName}) {
        files[name] = ReadWholeText(folders.OutputDir() / name).value_or("");
    }
    files[doc.m_szTxdName] = ReadWholeText(folders.ProgramDir() / doc.m_szTxdName).value_or("");
    files[kProjectListName] = ReadWholeText(folders.ProgramDir() / kProjectListName).value_or("");
    return files;
}

std::optional<std::string> FirstFileDifference(const SavedFiles& expected, const SavedFiles& actual) {
    for (const auto& [name, bytes] : expected) {
        const auto other = actual.find(name);
        if (other == actual.end()) {
            return name + " is missing";
        }
        if (other->second == bytes) {
            continue;
        }
        const auto [a, b] =
            std::mismatch(bytes.begin(), bytes.end(), other->second.begin(), other->second.end());
        return name + " differs at byte " + std::to_string(a - bytes.begin()) + " (" +
               std::to_string(bytes.size()) + " bytes, then " + std::to_string(other->second.size()) + ")";
    }
    for (const auto& [name, bytes] : actual) {
        if (!expected.contains(name)) {
            return name + " was not expected";
        }
    }
    return std::nullopt;
}

}  // namespace rollpath::testing
