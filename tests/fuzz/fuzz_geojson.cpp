// The GeoJSON importer, and the promise that what an import made exports to
// a file the importer takes again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "FuzzSupport.h"
#include "project/GeoJsonExport.h"
#include "project/GeoJsonImport.h"

namespace {

// The one document, emptied, with the airport the coordinates are placed by.
rollpath::CRollpathDoc& PlacedAirport() {
    rollpath::CRollpathDoc& doc = rollpath::fuzz::FreshDocument().doc;
    doc.m_Airport.lat = 37.461149;
    doc.m_Airport.lon = -122.114998;
    doc.m_bAirportLoaded = 1;
    return doc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rollpath;
    CRollpathDoc& doc = PlacedAirport();
    if (!ImportGeoJson(doc, std::string_view(reinterpret_cast<const char*>(data), size))) {
        return 0;
    }
    // Exported before the document is emptied for the second import.
    const std::string exported = ExportGeoJson(doc);
    if (!ImportGeoJson(PlacedAirport(), exported)) {
        std::abort();
    }
    doc.CleanUp();
    return 0;
}
