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

void PlaceAirport(rollpath::CRollpathDoc& doc) {
    doc.m_Airport.lat = 37.461149;
    doc.m_Airport.lon = -122.114998;
    doc.m_bAirportLoaded = 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rollpath;
    auto& fuzz = fuzz::FreshDocument();
    PlaceAirport(fuzz.doc);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!ImportGeoJson(fuzz.doc, text)) {
        return 0;
    }
    const std::string exported = ExportGeoJson(fuzz.doc);
    auto& again = fuzz::FreshDocument();
    PlaceAirport(again.doc);
    if (!ImportGeoJson(again.doc, exported)) {
        std::abort();
    }
    return 0;
}
