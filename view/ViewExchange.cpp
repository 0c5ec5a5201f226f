// Layouts from outside: a GeoJSON import is one edit of the history.

#include "project/GeoJsonImport.h"
#include "view/RollpathView.h"

namespace rollpath {

std::optional<std::string> CRollpathView::ImportGeoJsonText(std::string_view text) {
    SyncWithDocument();
    if (!IsLoaded()) {
        m_Doc.Messages().Show("Open an airport before importing a layout");
        return std::nullopt;
    }
    m_Doc.History().Begin(UndoKind::GeoJsonImported);
    GeoJsonImportOptions options;
    options.defaultWidth = m_dRollpathWidth;
    const std::optional<GeoJsonImportSummary> summary = ImportGeoJson(m_Doc, text, options);
    if (!summary) {
        return std::nullopt;
    }
    ComputeModelExtent();
    CommitEdit(UndoKind::GeoJsonImported);
    m_Host.Invalidate();
    return ImportSummaryText(*summary);
}

}  // namespace rollpath
