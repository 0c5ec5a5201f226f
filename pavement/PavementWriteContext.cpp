#include "pavement/PavementWriteContext.h"

#include <algorithm>
#include <string>

namespace rollpath {

PavementWriteContext::PavementWriteContext(CRollpathDoc& doc)
    : doc_(doc), saving_(&doc), seed_(doc.TriangulationSeed()) {
    doc.m_TriErrors.clear();
}

PavementWriteContext::PavementWriteContext(const CRollpathDoc& doc, TrialRun)
    : doc_(doc), seed_(doc.TriangulationSeed()) {}

void PavementWriteContext::RecordTriangulationError(std::span<const DPoint> polygon) {
    ++triangulationErrors_;
    if (saving_ == nullptr) {
        return;
    }
    if (!triangulationErrorShown_) {
        triangulationErrorShown_ = true;
        saving_->Messages().Show(kTriangulationErrorMessage);
    }
    if (saving_->m_TriErrors.size() < static_cast<std::size_t>(kMaxTriangulationErrors)) {
        const std::size_t kept =
            std::min(polygon.size(), static_cast<std::size_t>(kMaxTriangulationErrorPoints));
        saving_->m_TriErrors.emplace_back(polygon.begin(),
                                          polygon.begin() + static_cast<std::ptrdiff_t>(kept));
    }
}

void PavementWriteContext::ReportMarkingCut() {
    if (saving_ != nullptr && !markingCutShown_) {
        markingCutShown_ = true;
        saving_->Messages().Show(kMarkingCutMessage);
    }
}

void PavementWriteContext::ReportClipCapacity(std::string_view text) {
    if (saving_ != nullptr && !clipCapacityShown_) {
        clipCapacityShown_ = true;
        saving_->Messages().Show(std::string(text));
    }
}

void PavementWriteContext::ReportTriangulationLimit() {
    if (saving_ != nullptr && !triangulationLimitShown_) {
        triangulationLimitShown_ = true;
        saving_->Messages().Show(kTriangulationLimitMessage);
    }
}

}  // namespace rollpath
