// The command-line tool's settings file, then an airport built with those
// settings (widths, colours and switches all come from the file).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "project/DocumentPipeline.h"
#include "settings/SettingsIni.h"
#include "simdata/AirportLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rollpath;
    static const auto install = fuzz::SampleInstall(SampleLayout::Pod, "pod");
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // The folders stay in the scratch area whatever the file names.
    auto& fuzz = fuzz::FreshDocument(install, SettingsFromIni(IniSettingsStore::Parse(text)));
    if (LoadAirport(fuzz.doc, "KPAO", "KPAO.txd", "KPAO.txp", "KPAO.bgr", "KPAO.tms") == 1) {
        PrepareOpenedDocument(fuzz.doc);
    }
    fuzz.Empty();
    return 0;
}
