#pragma once

// A modal dialog as the view asks its host for one: which dialog, its
// caption, and its fields as named texts. The host shows it (the Qt widget),
// or answers it from a script or a test. Field names are the dialog's labels
// without the "&" mnemonic ("Width", "Runway Hold"); values are the texts the
// fields show (check boxes "0" or "1").

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rollpath {

struct DialogField {
    std::string name;
    std::string value;
    friend bool operator==(const DialogField&, const DialogField&) = default;
};

struct DialogRequest {
    int id = 0;         // the dialog's resource number, 0 when it has none
    std::string title;  // the caption, e.g. "Set Rollpath Width"
    std::vector<DialogField> fields;

    // The field of that name, or nullptr.
    DialogField* Find(std::string_view name);
    const DialogField* Find(std::string_view name) const;
    // The field's text, or nothing when there is no such field.
    std::optional<std::string> Value(std::string_view name) const;
    // Sets an existing field; false when there is no such field.
    bool Set(std::string_view name, std::string value);
};

enum class DialogResult { Ok, Cancel };

// The label of a control as a field name: the "&" mnemonics dropped ("&&"
// stands for a real "&").
std::string FieldNameOfLabel(std::string_view label);

}  // namespace rollpath
