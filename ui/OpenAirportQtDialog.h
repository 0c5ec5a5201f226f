#pragma once

// The Open Airport dialog: the airport's code and whether to fill the
// document from its pavement file.

#include <QDialog>

#include "simdata/OpenAirport.h"

class QCheckBox;
class QLineEdit;

namespace rollpath {

class OpenAirportQtDialog : public QDialog, public OpenAirportDialog {
    Q_OBJECT
public:
    explicit OpenAirportQtDialog(QWidget* parent = nullptr);

    // Shows the dialog modally; the choice on OK.
    std::optional<OpenAirportChoice> Run() override;
    // OK: a code that is no airport code is refused with a message and the
    // dialog stays open with the code selected.
    void accept() override;
    bool WasAccepted() const { return accepted_; }

    QLineEdit* CodeField() const { return code_; }
    QCheckBox* TmsBox() const { return tms_; }

private:
    QLineEdit* code_;
    QCheckBox* tms_;
    bool accepted_ = false;
};

}  // namespace rollpath
