#pragma once

// Any dialog of the editor on screen: the widgets are built from the model's
// controls (labels, fields, check boxes, radio groups, lists, spin buttons,
// group boxes), every user action goes to the model, and whatever the model
// changes is shown again. The dialogs' rules all live in their models.

#include <QDialog>
#include <map>

#include "view/dialogs/DialogModel.h"

class QFormLayout;
class QHBoxLayout;

namespace rollpath {

class ModelQtDialog : public QDialog {
    Q_OBJECT
public:
    ModelQtDialog(DialogModel& model, QWidget* parent = nullptr);
    ~ModelQtDialog() override;
    ModelQtDialog(const ModelQtDialog&) = delete;
    ModelQtDialog& operator=(const ModelQtDialog&) = delete;

    DialogModel& Model() { return model_; }
    // The widget of a control by its resource number, or nullptr.
    QWidget* ControlWidget(int id) const;
    // The label shown beside a field or list, or nullptr.
    QWidget* LabelOf(int id) const;
    // Stops showing the model: after this the dialog never touches it.
    void Detach();

    // OK ends the dialog only when the model agrees; both tell the model.
    void accept() override;
    void reject() override;

private:
    void Build();
    QWidget* MakeWidget(const DialogControl& control);
    void AddRow(QFormLayout* form, const DialogControl& control, QHBoxLayout* row);
    void Refresh();

    DialogModel& model_;
    bool attached_ = true;
    bool refreshing_ = false;
    std::map<int, QWidget*> widgets_;
    std::map<int, QWidget*> labels_;
};

}  // namespace rollpath
