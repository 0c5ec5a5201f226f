#include "ui/QtDialogHost.h"

#include <QFile>
#include <QFileDialog>
#include <QStringList>

#include "ui/AnsiQt.h"

namespace rollpath {

QtDialogHost::QtDialogHost(QWidget* parent) : parent_(parent) {}

QtDialogHost::~QtDialogHost() {
    for (auto& [model, window] : modeless_) {
        delete window.data();
    }
}

bool QtDialogHost::RunDialog(DialogModel& dialog) {
    ModelQtDialog window(dialog, parent_);
    return window.exec() == QDialog::Accepted;
}

void QtDialogHost::ShowModeless(DialogModel& dialog) {
    QPointer<ModelQtDialog>& window = modeless_[&dialog];
    if (window.isNull()) {
        window = new ModelQtDialog(dialog, parent_);
        window->setModal(false);
    }
    window->show();
    window->raise();
}

void QtDialogHost::CloseModeless(DialogModel& dialog) {
    const auto it = modeless_.find(&dialog);
    if (it == modeless_.end()) {
        return;
    }
    QPointer<ModelQtDialog> window = it->second;
    modeless_.erase(it);
    if (!window.isNull()) {
        // The request may come from inside the window's own handler: it is
        // cut off from the model now and deleted once that handler returns.
        window->Detach();
        window->hide();
        window->deleteLater();
    }
}

ModelQtDialog* QtDialogHost::ModelessWindow(const DialogModel& dialog) const {
    const auto it = modeless_.find(&dialog);
    return it == modeless_.end() ? nullptr : it->second.data();
}

QStringList QtNameFilters(std::string_view filter) {
    QStringList filters;
    const QStringList parts = FromAnsi(filter).split(QLatin1Char('|'));
    for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
        if (parts[k].isEmpty()) {
            break;
        }
        QString patterns = parts[k + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(parts[k] + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

std::optional<std::string> QtDialogHost::GetOpenFileName(const FileOpenRequest& request) {
    QFileDialog dialog(parent_, FromAnsi(request.title));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(QtNameFilters(request.filter));
    dialog.setDefaultSuffix(FromAnsi(request.defaultExtension));
    if (!request.initialName.empty()) {
        dialog.selectFile(FromAnsi(request.initialName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    // File names reach the core in the encoding the file system uses.
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

}  // namespace rollpath
