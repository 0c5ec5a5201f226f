// Undo and Redo: the document's history writes the records back; the view
// lets go of what it held and shows the result.

#include "view/RollpathView.h"

namespace rollpath {

void CRollpathView::CommitEdit(int kind, bool silent) {
    m_Doc.History().Commit(kind, silent);
}

void CRollpathView::OnEditUndo() {
    if (UpdateEditCommandUI(CommandId::EditUndo)->enabled) {
        AfterRestore(m_Doc.History().Undo());
    }
}

void CRollpathView::OnEditRedo() {
    if (UpdateEditCommandUI(CommandId::EditRedo)->enabled) {
        AfterRestore(m_Doc.History().Redo());
    }
}

void CRollpathView::AfterRestore(const HistoryRestore& restore) {
    if (!restore.restored) {
        return;
    }
    // A selected polygon may have left the list; what the right button hit
    // and the vertex numbers of the last edit name the state that is gone.
    const auto listed = [this](const GroundPolygon* polygon) {
        for (const auto& p : m_Doc.m_pPolygons) {
            if (p.get() == polygon) {
                return p->live();
            }
        }
        return false;
    };
    if (m_pSelectedPolygon != nullptr && !listed(m_pSelectedPolygon)) {
        m_pSelectedPolygon = nullptr;
    }
    m_SegmentList.clear();
    m_nActiveIndex = -1;
    m_Context = ViewContext{};
    m_StraightenedVertices.clear();
    m_bShowStraightened = 0;
    m_nSeenPoolRenumbered = m_Doc.m_nPoolRenumbered;
    if (restore.diagramPathChanged) {
        if (m_Doc.m_szBmpPath.empty()) {
            m_Bmp.Reset();
            m_bDiagramLoaded = 0;
        } else {
            LoadDiagram(m_Doc.m_szBmpPath);
        }
    }
    RecomputeAnchor();
    RefreshPositionDialog();
    CacheRotation();
    UpdateStatusValues();
    m_Host.Invalidate();
}

}  // namespace rollpath
