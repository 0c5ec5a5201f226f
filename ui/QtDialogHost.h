#pragma once

// The dialogs of the editor as Qt shows them: modal ones run over their
// model until the user ends them, the modeless Position dialog stays open
// until its owner closes it, and file names come from Qt's file dialog.

#include <QPointer>
#include <QString>
#include <map>
#include <string_view>

#include "ui/ModelQtDialog.h"
#include "view/dialogs/DialogHost.h"

class QWidget;

namespace rollpath {

class QtDialogHost : public DialogHost {
public:
    // Dialogs are owned by the parent window.
    explicit QtDialogHost(QWidget* parent);
    // Closes the modeless windows still open.
    ~QtDialogHost() override;
    QtDialogHost(const QtDialogHost&) = delete;
    QtDialogHost& operator=(const QtDialogHost&) = delete;

    bool RunDialog(DialogModel& dialog) override;
    void ShowModeless(DialogModel& dialog) override;
    void CloseModeless(DialogModel& dialog) override;
    std::optional<std::string> GetOpenFileName(const FileOpenRequest& request) override;

    // The window open for a modeless dialog, or nullptr.
    ModelQtDialog* ModelessWindow(const DialogModel& dialog) const;

private:
    QWidget* parent_;
    std::map<const DialogModel*, QPointer<ModelQtDialog>> modeless_;
};

// A framework filter ("Bitmap Files|*.bmp||") as Qt's name filters
// ("Bitmap Files (*.bmp)"), one per pair.
QStringList QtNameFilters(std::string_view filter);

}  // namespace rollpath
