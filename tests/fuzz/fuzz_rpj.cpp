// The project list: the Open Project dialog's section list, the entry of an
// airport opened from it (names and diagram placement from the file), and
// the rewrite at Save.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "document/ProjectList.h"
#include "project/DocumentPipeline.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rollpath;
    static const auto install = fuzz::SampleInstall(SampleLayout::Pod, "pod");
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)ReadProjectSections(std::span(data, size));
    // The entry as the Open command fills it from the list on the disk.
    const auto entries = ProjectEntries(text);
    PendingProject pending;
    SetPendingDefaults(pending, "KSFO");
    if (const auto entry = entries.find("KSFO"); entry != entries.end()) {
        pending = entry->second;
    }
    auto& fuzz = fuzz::FreshDocument(install);
    (void)OnOpenDocument(fuzz.doc, pending);
    fuzz.doc.m_szCode = "KSFO";
    (void)(ProjectListWithout(text, {fuzz.doc.m_szCode}) + FormatProjectEntry(fuzz.doc));
    return 0;
}
