#include "pavement/PavementWriteContext.h"

#include <algorithm>
#include <string>

namespace rollpath {

PavementWriteContext::PavementWriteContext(CRollpathDoc& doc) : doc_(doc), seed_(doc.TriangulationSeed()) {
    doc_.m_TriErrors.clear();
}

void PavementWriteContext::RecordTriangulationError(std::span<const DPoint> polygon) {
    if (!triangulationErrorShown_) {
        triangulationErrorShown_ = true;
        doc_.Messages().Show(kTriangulationErrorMessage);
    }
    if (doc_.m_TriErrors.size() < static_cast<std::size_t>(kMaxTriangulationErrors)) {
        const std::size_t kept =
            std::min(polygon.size(), static_cast<std::size_t>(kMaxTriangulationErrorPoints));
        doc_.m_TriErrors.emplace_back(polygon.begin(), polygon.begin() + static_cast<std::ptrdiff_t>(kept));
    }
}

void PavementWriteContext::ReportMarkingCut() {
    if (!markingCutShown_) {
        markingCutShown_ = true;
        doc_.Messages().Show(kMarkingCutMessage);
    }
}

void PavementWriteContext::ReportClipCapacity(std::string_view text) {
    if (!clipCapacityShown_) {
        clipCapacityShown_ = true;
        doc_.Messages().Show(std::string(text));
    }
}

void PavementWriteContext::ReportTriangulationLimit() {
    if (!triangulationLimitShown_) {
        triangulationLimitShown_ = true;
        doc_.Messages().Show(kTriangulationLimitMessage);
    }
}

}  // namespace rollpath
