// rollpath_fuzz_seeds DIR: saves synthetic airports of several sizes (a
// network of rollpaths with junctions, ground polygons, pavement) into
// DIR/out and DIR/project, so that the scenery-file targets start from files
// with every kind of record. The saved sample airports only hold runway
// centre lines.

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>

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
    struct Size {
        const char* code;
        int side;
        int polygons;
    };
    for (const Size& size : {Size{"SYN1", 3, 1}, Size{"SYN2", 4, 3}, Size{"SYN3", 8, 8}}) {
        Settings settings;
        settings.FlyDirSet = 1;
        settings.OutputDir = (dir / "out").string();
        RecordingMessageSink messages;
        CRollpathDoc doc;
        doc.SetSettings(&settings);
        doc.SetMessageSink(&messages);
        doc.SetProgramDir(dir / "project");
        doc.SetTriangulationSeed(1u);
        testing::SyntheticAirportOptions options;
        options.seed = static_cast<std::uint64_t>(size.side);
        options.columns = size.side;
        options.rows = size.side;
        options.polygons = size.polygons;
        testing::BuildSyntheticAirport(doc, options);
        // Runway pavement and markings would make the pavement file too big
        // for a small corpus; the rollpaths still meet at junctions.
        doc.m_pRunways.clear();
        testing::PaveSyntheticAirport(doc);
        doc.m_szCode = size.code;
        doc.m_szTxpName = std::string(size.code) + ".txp";
        doc.m_szBgrName = std::string(size.code) + ".bgr";
        doc.m_szTxdName = std::string(size.code) + ".txd";
        doc.m_szTmsName = std::string(size.code) + ".tms";
        PrepareOpenedDocument(doc);
        doc.SetModifiedFlag(true);
        if (!Save(doc)) {
            std::cerr << "cannot save " << size.code << '\n';
            return 1;
        }
    }
    return 0;
}
