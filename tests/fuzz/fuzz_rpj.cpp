// The project list: the Open Project dialog's section list, the entry of an
// airport opened from it (names and diagram placement from the file), and
// the rewrite at Save.

#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "document/ProjectList.h"
#include "project/DocumentPipeline.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rollpath;
    static const auto install = fuzz::SampleInstall(SampleLayout::Pod, "pod");
    const auto input = fuzz::Input(data, size);
    (void)ReadProjectSections(input);
    // Opening an airport from the list reads it by its path.
    const auto path = fuzz::Scratch() / kProjectListName;
    fuzz::WriteInput(path, input);
    auto& fuzz = fuzz::FreshDocument(install);
    PendingProject pending;
    SetPendingProject(pending, "KSFO", path);
    if (OnOpenDocument(fuzz.doc, pending)) {
        PrepareOpenedDocument(fuzz.doc);
    }
    fuzz.doc.m_szCode = "KSFO";
    (void)WriteProjectList(fuzz.doc, path, fuzz.messages);
    return 0;
}
