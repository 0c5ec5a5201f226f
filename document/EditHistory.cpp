#include "document/EditHistory.h"

#include <algorithm>
#include <string>
#include <utility>

#include "document/HistoryStep.h"
#include "document/RollpathDoc.h"

namespace rollpath {

CEditHistory::CEditHistory(CRollpathDoc& doc) : m_Doc(doc) {}

CEditHistory::~CEditHistory() = default;

void CEditHistory::Start() {
    m_pShadow = std::make_unique<DocumentShadow>(CaptureShadow(m_Doc));
    m_Steps.clear();
    m_nApplied = 0;
    m_nBase = ++m_nLastId;
    m_nSaved = m_Doc.IsModified() ? 0 : m_nBase;
    m_nPendingKind = 0;
    m_nEdits = 0;
}

void CEditHistory::Stop() {
    m_pShadow.reset();
    m_Steps.clear();
    m_nApplied = 0;
    m_nSaved = 0;
    m_nPendingKind = 0;
}

bool CEditHistory::Active() const {
    return m_pShadow != nullptr;
}

void CEditHistory::Begin(int kind) {
    m_nPendingKind = kind;
}

bool CEditHistory::Commit(int kind, bool silent) {
    m_nPendingKind = 0;
    if (!Active()) {
        return false;
    }
    std::vector<ReplacedRecord> replaced;
    auto step = std::make_unique<HistoryStep>(DiffDocument(m_Doc, *m_pShadow, replaced));
    if (step->Empty()) {
        return false;
    }
    m_Steps.resize(m_nApplied);
    for (const ReplacedRecord& r : replaced) {
        for (const auto& older : m_Steps) {
            RemapRecord(*older, r);
        }
    }
    step->kind = kind;
    step->silent = silent;
    step->id = ++m_nLastId;
    m_nEdits += silent ? 0 : 1;
    m_Steps.push_back(std::move(step));
    m_nApplied = m_Steps.size();
    Trim();
    FollowModified();
    return true;
}

bool CEditHistory::CommitPending() {
    return Commit(m_nPendingKind != 0 ? m_nPendingKind : kUnnamedEditKind);
}

// The index of the first (or last) step in [from, to) that is not silent,
// or `to` when there is none.
std::size_t CEditHistory::FindReal(std::size_t from, std::size_t to, bool last) const {
    for (std::size_t k = 0; k < to - from; ++k) {
        const std::size_t i = last ? to - 1 - k : from + k;
        if (!m_Steps[i]->silent) {
            return i;
        }
    }
    return to;
}

bool CEditHistory::CanUndo() const {
    return FindReal(0, m_nApplied, true) != m_nApplied;
}

bool CEditHistory::CanRedo() const {
    return FindReal(m_nApplied, m_Steps.size(), false) != m_Steps.size();
}

int CEditHistory::UndoKind() const {
    const std::size_t i = FindReal(0, m_nApplied, true);
    return i == m_nApplied ? 0 : m_Steps[i]->kind;
}

int CEditHistory::RedoKind() const {
    const std::size_t i = FindReal(m_nApplied, m_Steps.size(), false);
    return i == m_Steps.size() ? 0 : m_Steps[i]->kind;
}

int CEditHistory::UndoSteps() const {
    return static_cast<int>(std::count_if(m_Steps.begin(),
                                          m_Steps.begin() + static_cast<std::ptrdiff_t>(m_nApplied),
                                          [](const auto& s) { return !s->silent; }));
}

int CEditHistory::RedoSteps() const {
    return static_cast<int>(std::count_if(m_Steps.begin() + static_cast<std::ptrdiff_t>(m_nApplied),
                                          m_Steps.end(), [](const auto& s) { return !s->silent; }));
}

void CEditHistory::ApplyNext() {
    ApplyStep(*m_Steps[m_nApplied], m_Doc, *m_pShadow, false);
    ++m_nApplied;
}

void CEditHistory::UndoLast() {
    --m_nApplied;
    ApplyStep(*m_Steps[m_nApplied], m_Doc, *m_pShadow, true);
}

HistoryRestore CEditHistory::Undo() {
    if (!Active()) {
        return {};
    }
    // Changes no step holds yet are the first to go.
    CommitPending();
    if (!CanUndo()) {
        return {};
    }
    const std::string path = m_Doc.m_szBmpPath;
    while (m_Steps[m_nApplied - 1]->silent) {
        UndoLast();
    }
    UndoLast();
    FollowModified();
    return HistoryRestore{true, path != m_Doc.m_szBmpPath};
}

HistoryRestore CEditHistory::Redo() {
    // Changes no step holds yet are an edit of their own, after which
    // nothing is left to redo.
    if (!Active() || CommitPending() || !CanRedo()) {
        return {};
    }
    const std::string path = m_Doc.m_szBmpPath;
    while (m_Steps[m_nApplied]->silent) {
        ApplyNext();
    }
    ApplyNext();
    while (m_nApplied < m_Steps.size() && m_Steps[m_nApplied]->silent) {
        ApplyNext();
    }
    FollowModified();
    return HistoryRestore{true, path != m_Doc.m_szBmpPath};
}

void CEditHistory::BeforeRenumbering() {
    if (Active()) {
        CommitPending();
    }
}

void CEditHistory::AfterRenumbering(PoolRenumbering plan) {
    if (!Active() || plan.Identity()) {
        return;
    }
    auto step = std::make_unique<HistoryStep>(RenumberShadow(*m_pShadow, std::move(plan)));
    step->id = ++m_nLastId;
    std::unique_ptr<HistoryStep> inverse;
    if (m_nApplied < m_Steps.size()) {
        // The steps to redo name the old numbers: redoing them goes back
        // through the renumbering first.
        inverse = std::make_unique<HistoryStep>();
        inverse->silent = true;
        inverse->id = ++m_nLastId;
        inverse->renumbering = step->renumbering;
        inverse->renumbering->inverse = true;
    }
    const auto at = m_Steps.begin() + static_cast<std::ptrdiff_t>(m_nApplied);
    if (inverse) {
        m_Steps.insert(at, std::move(inverse));
    }
    m_Steps.insert(m_Steps.begin() + static_cast<std::ptrdiff_t>(m_nApplied), std::move(step));
    ++m_nApplied;
    FollowModified();
}

void CEditHistory::NoteSaved(bool saved) {
    m_nSaved = saved ? State() : 0;
}

// The state is named by the last step done that is not silent.
std::uint64_t CEditHistory::State() const {
    const std::size_t i = FindReal(0, m_nApplied, true);
    return i == m_nApplied ? m_nBase : m_Steps[i]->id;
}

void CEditHistory::Trim() {
    const int levels = std::clamp(m_Doc.GetSettings().UndoLevels, kMinUndoLevels, kMaxUndoLevels);
    std::size_t drop = 0;
    for (int extra = UndoSteps() - levels; extra > 0; --extra) {
        drop = FindReal(drop, m_nApplied, false) + 1;
        m_nBase = m_Steps[drop - 1]->id;
    }
    // Silent steps below the first step kept are never undone.
    while (drop < m_nApplied && m_Steps[drop]->silent) {
        ++drop;
    }
    m_Steps.erase(m_Steps.begin(), m_Steps.begin() + static_cast<std::ptrdiff_t>(drop));
    m_nApplied -= drop;
}

void CEditHistory::FollowModified() {
    m_Doc.FollowHistory(State() != m_nSaved);
}

}  // namespace rollpath
