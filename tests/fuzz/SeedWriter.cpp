// rollpath_fuzz_seeds DIR: saves synthetic airports of several sizes (a
// network of rollpaths with junctions, ground polygons, pavement) into
// DIR/out and DIR/project, so that the scenery-file targets start from files
// with every kind of record. The saved sample airports only hold runway
// centre lines.

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>
#include <tuple>

#include "FuzzSupport.h"
#include "document/RollpathDoc.h"
#include "project/DocumentPipeline.h"
#include "support/SyntheticAirport.h"

int main(int argc, char** argv) {
    using namespace rollpath;
    if (argc != 2) {
        std::cerr << "usage: rollpath_fuzz_seeds DIR\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir / "out");
    std::filesystem::create_directories(dir / "project");
    for (const auto& [code, side, polygons] :
         {std::tuple{"SYN1", 3, 1}, std::tuple{"SYN2", 4, 3}, std::tuple{"SYN3", 8, 8}}) {
        fuzz::FuzzDocument fuzz;
        fuzz.Reset(dir);
        fuzz.settings.OutputDir = (dir / "out").string();
        CRollpathDoc& doc = fuzz.doc;
        doc.SetProgramDir(dir / "project");
        testing::SyntheticAirportOptions options;
        options.seed = static_cast<std::uint64_t>(side);
        options.columns = side;
        options.rows = side;
        options.polygons = polygons;
        testing::BuildSyntheticAirport(doc, options);
        // Runway pavement and markings would make the pavement file too big
        // for a small corpus; the rollpaths still meet at junctions.
        doc.m_pRunways.clear();
        testing::PaveSyntheticAirport(doc);
        doc.m_szCode = code;
        doc.m_szTxpName = std::string(code) + ".txp";
        doc.m_szBgrName = std::string(code) + ".bgr";
        doc.m_szTxdName = std::string(code) + ".txd";
        doc.m_szTmsName = std::string(code) + ".tms";
        PrepareOpenedDocument(doc);
        doc.SetModifiedFlag(true);
        if (!Save(doc)) {
            std::cerr << "cannot save " << code << '\n';
            return 1;
        }
    }
    return 0;
}
