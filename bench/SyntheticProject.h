#pragma once

// The large synthetic airport saved as a project, so that it opens from the
// project list like any saved airport: a sample installation of its own under
// root / "fly-synthetic" with the airport saved under the code KDEN (whose
// database entry gives the position and the runways), its list and side file
// in root / "synthetic". The sample airports open from a clean installation,
// root / "fly" with root / "program", since New reads the files already in
// the output folder.

#include <filesystem>
#include <string>

#include "document/RollpathDoc.h"
#include "project/DocumentPipeline.h"
#include "support/SampleInstallation.h"
#include "support/SyntheticAirport.h"

namespace rollpath::bench {

inline constexpr const char* kSyntheticCode = "KDEN";

inline void AttachToFolders(CRollpathDoc& doc, const std::filesystem::path& root, Settings& settings,
                            MessageSink& messages, bool synthetic) {
    settings.FlyDir = (root / (synthetic ? "fly-synthetic" : "fly")).string();
    doc.SetSettings(&settings);
    doc.SetMessageSink(&messages);
    doc.SetProgramDir(root / (synthetic ? "synthetic" : "program"));
}

inline bool WriteSyntheticProject(const std::filesystem::path& root, Settings& settings,
                                  MessageSink& messages, std::string& error) {
    if (!testing::WriteSampleInstallation(root / "fly") ||
        !testing::WriteSampleInstallation(root / "fly-synthetic")) {
        error = "the sample installation was not written";
        return false;
    }
    std::filesystem::create_directories(root / "program");
    std::filesystem::create_directories(root / "synthetic");
    CRollpathDoc doc;
    AttachToFolders(doc, root, settings, messages, true);
    FixedOpenAirportDialog dialog(OpenAirportChoice{kSyntheticCode, false});
    if (!NewDocument(doc, dialog, false)) {
        error = "KDEN did not open";
        return false;
    }
    // Keep the airport and its file names, replace everything drawn.
    const std::string code = doc.m_szCode;
    const std::string txd = doc.m_szTxdName;
    const std::string txp = doc.m_szTxpName;
    const std::string bgr = doc.m_szBgrName;
    const std::string tms = doc.m_szTmsName;
    doc.CleanUp();
    testing::BuildSyntheticAirport(doc);
    testing::PaveSyntheticAirport(doc);
    doc.m_bAirportLoaded = 1;
    doc.m_szCode = code;
    doc.m_szTxdName = txd;
    doc.m_szTxpName = txp;
    doc.m_szBgrName = bgr;
    doc.m_szTmsName = tms;
    doc.SetTriangulationSeed(1);
    if (!Save(doc)) {
        error = "the synthetic airport was not saved";
        return false;
    }
    return true;
}

}  // namespace rollpath::bench
