#pragma once

// The dockable "Layout Checks" panel: a table of the findings (severity
// icon, id, message) of the checks the preferences leave on. A click on a
// row centres the view on the finding and selects its object; a double
// click opens the object's properties. The frame's idle update calls
// OnIdle: the checks run again once the layout has stopped changing for one
// idle period, never while a drag or a drawing stroke is going on. A label
// for the status bar shows the count ("3 warnings").

#include <QDockWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "checks/LayoutChecks.h"
#include "document/RollpathDoc.h"
#include "view/RollpathView.h"

class QLabel;
class QTableWidget;

namespace rollpath {

class CLayoutChecksPanel : public QDockWidget {
    Q_OBJECT
public:
    CLayoutChecksPanel(CRollpathDoc& doc, CRollpathView& view, QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }
    // The count for the status bar, shown with the panel once the checks ran.
    QLabel* CountLabel() const { return countLabel_; }
    const std::vector<Finding>& Findings() const { return findings_; }

    // Runs the checks now and shows their findings.
    void Refresh();
    // The debounced refresh of the idle update (while the panel is shown).
    void OnIdle();
    // Shows findings made elsewhere (Save runs the checks itself).
    void ShowFindings(std::vector<Finding> findings);

    // What a click and a double click on a row do.
    void SelectRow(int row);
    void OpenRow(int row);

private:
    std::vector<Finding> findings_;
    CRollpathDoc& doc_;
    CRollpathView& view_;
    QTableWidget* table_;
    QLabel* countLabel_;
    std::optional<std::uint64_t> shown_;    // the layout the table shows
    std::optional<std::uint64_t> pending_;  // a change seen at the last idle update
};

}  // namespace rollpath
