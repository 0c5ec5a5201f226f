#pragma once

// The document's undo history. After every edit the view commits: the
// history compares the model with its copy of the last committed state,
// record by record, and keeps only what changed, before and after, as one
// step. Undo and Redo write those records back in place, so the document
// comes back exactly as it was, generated pavement included, without a
// rebuild. Save's renumbering of the vertex pool is a step of its own that
// Undo and Redo pass through. The modified flag follows the history: back at
// the state last saved, the document is not modified.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace rollpath {

class CRollpathDoc;
struct DocumentShadow;
struct HistoryStep;
struct PoolRenumbering;

inline constexpr int kMinUndoLevels = 1;
inline constexpr int kMaxUndoLevels = 1000;
// The kind of a step nobody named: changes found when Undo, Redo or Save
// came in the middle of an edit.
inline constexpr int kUnnamedEditKind = 100;

// What an Undo or Redo did, for whoever shows the document.
struct HistoryRestore {
    bool restored = false;
    bool diagramPathChanged = false;
};

class CEditHistory {
public:
    explicit CEditHistory(CRollpathDoc& doc);
    ~CEditHistory();
    CEditHistory(const CEditHistory&) = delete;
    CEditHistory& operator=(const CEditHistory&) = delete;

    // The document as it is now is where Undo stops; every step is
    // forgotten. Until the first Start, and after Stop, nothing is recorded.
    void Start();
    void Stop();
    bool Active() const;

    // Names the edit that has begun, for the step a Save makes if it comes
    // before the edit is committed.
    void Begin(int kind);
    // After an edit: what changed since the last commit becomes one step of
    // `kind`, and whatever waited to be redone is dropped. A silent step
    // holds changes that are not edits of their own (a rebuild, vertices
    // left by a dropped segment): it is undone and redone with the step
    // before it and does not mark the document modified. False when nothing
    // changed.
    bool Commit(int kind, bool silent = false);

    bool CanUndo() const;
    bool CanRedo() const;
    // The kind of the step Undo or Redo would take; 0 when there is none.
    int UndoKind() const;
    int RedoKind() const;
    int UndoSteps() const;
    int RedoSteps() const;
    // How many steps that are not silent were committed since Start.
    std::uint64_t EditsCommitted() const { return m_nEdits; }

    HistoryRestore Undo();
    HistoryRestore Redo();

    // Save's compaction: the edit under way is committed first; then the
    // renumbering (unless it changed nothing) becomes a silent step. Steps
    // waiting to be redone stay, behind the renumbering run backwards.
    void BeforeRenumbering();
    void AfterRenumbering(PoolRenumbering plan);

    // The document was saved (or is to count as modified whatever happens).
    void NoteSaved(bool saved);

private:
    bool CommitPending();
    std::uint64_t State() const;
    std::size_t FindReal(std::size_t from, std::size_t to, bool last) const;
    void ApplyNext();
    void UndoLast();
    void Trim();
    void FollowModified();

    CRollpathDoc& m_Doc;
    std::unique_ptr<DocumentShadow> m_pShadow;  // none while stopped
    // The steps in order: the first m_nApplied are done, the rest can be
    // redone.
    std::vector<std::unique_ptr<HistoryStep>> m_Steps;
    std::size_t m_nApplied = 0;
    std::uint64_t m_nLastId = 0;
    std::uint64_t m_nBase = 0;   // the state before the first step kept
    std::uint64_t m_nSaved = 0;  // the state last saved; 0 for none
    int m_nPendingKind = 0;
    std::uint64_t m_nEdits = 0;
};

}  // namespace rollpath
