#pragma once

// A dialog without a toolkit: its controls by resource number with their
// texts, check states and enabling, and the rules that run when the user
// types, clicks or steps a spin button. Each dialog of the editor is a small
// subclass; the Qt shell shows any of them, and test and script hosts fill
// them by field name.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "view/dialogs/DialogText.h"

namespace rollpath {

enum class ControlKind {
    Static,  // a line of text
    Edit,    // a text field, possibly read-only
    CheckBox,
    RadioButton,  // one of the buttons of its group
    ListBox,
    SpinButton,  // steps the field named by `buddy`
};

struct DialogControl {
    int id = 0;  // the resource number
    ControlKind kind = ControlKind::Static;
    std::string label;     // as shown, "&" before the mnemonic; fields and lists: the label beside them
    std::string name;      // what scripts call it: the label without "&" unless given
    std::string text;      // a field's text (Windows ANSI)
    std::string suffix;    // a unit shown after a field ("ft")
    std::string group;     // the group box around it; radio buttons of one group exclude each other
    int buddy = 0;         // a spin button's field
    bool sameRow = false;  // laid out beside the control before it
    bool readOnly = false;
    bool checked = false;
    bool enabled = true;
    std::vector<std::string> items;  // list box lines
    int selected = -1;               // list box selection, -1 for none
    std::vector<int> tabStops;       // list box tab stops, dialog units
    // A number field's accepted values: a number typed or stepped outside
    // them refuses OK. Text that is no number is the dialog's business.
    std::optional<NumberRange> range;
    std::string initialText;  // a field's text as the dialog opened
};

// Why OK was refused: the field to select again and the message to show.
struct FieldRefusal {
    int control = 0;
    std::string message;
};

enum class DialogButtons { Ok, OkCancel };

class DialogModel {
public:
    DialogModel(std::string title, int resource, DialogButtons buttons = DialogButtons::OkCancel,
                bool modeless = false);
    virtual ~DialogModel() = default;
    DialogModel(const DialogModel&) = delete;
    DialogModel& operator=(const DialogModel&) = delete;

    const std::string& Title() const { return m_Title; }
    int Resource() const { return m_nResource; }
    DialogButtons Buttons() const { return m_Buttons; }
    bool IsModeless() const { return m_bModeless; }

    // In tab order.
    const std::vector<DialogControl>& Controls() const { return m_Controls; }
    const DialogControl* Find(int id) const;
    // By script name (case is ignored when no name matches exactly) or by
    // resource number written in decimal.
    const DialogControl* FindByName(std::string_view name) const;
    std::string TextOf(int id) const;
    bool IsChecked(int id) const;
    bool IsEnabled(int id) const;

    // --- What the user does -----------------------------------------------
    // New text in an editable field (typed or pasted).
    void TypeText(int id, std::string_view text);
    // A check box toggles; a radio button becomes its group's checked one.
    void Click(int id);
    void SelectItem(int id, int index);
    // A spin button's notification: a change below 1 is the up arrow.
    void Spin(int spinId, int delta);
    void SpinUp(int spinId) { Spin(spinId, -1); }
    void SpinDown(int spinId) { Spin(spinId, 1); }
    // OK: the fields are read into the dialog's result; true when it closes.
    // A field holding a new number outside its range refuses it: the dialog
    // stays open and Refusal() says why.
    bool Ok();
    void Cancel();

    // Sets a control the way a user would: a field gets the text, a check
    // box "1" or "0" (also true/false, yes/no, on/off), a radio button "1",
    // a radio group (by its name) or a list box the text of one of its
    // choices. False, with the reason, when the control is missing,
    // read-only, disabled or the value does not fit.
    bool SetField(std::string_view name, std::string_view value, std::string& problem);

    // Why the last OK was refused; nothing once an OK was accepted.
    const std::optional<FieldRefusal>& Refusal() const { return m_Refusal; }

    // Called whenever a control changes, whoever changed it.
    using Listener = std::function<void()>;
    void SetListener(Listener listener) { m_Listener = std::move(listener); }

protected:
    DialogControl& Add(DialogControl control);
    DialogControl& AddStatic(int id, std::string text);
    DialogControl& AddField(int id, std::string label, std::string text, bool readOnly);
    DialogControl& AddCheck(int id, std::string label, bool checked);
    DialogControl& AddRadio(int id, std::string label, std::string group, bool checked);
    DialogControl& AddList(int id, std::string label, std::vector<std::string> items);
    DialogControl& AddSpin(int id, int buddy);

    DialogControl& Control(int id);
    // The dialog's own changes: they do not run OnChanged.
    void SetText(int id, std::string text);
    void SetChecked(int id, bool checked);
    void SetEnabled(int id, bool enabled);
    void Changed();

    // The dialog's handlers.
    virtual void OnChanged(int /*id*/) {}
    virtual void OnSpin(int /*spinId*/, int /*delta*/) {}
    virtual bool OnOk() { return true; }
    virtual void OnCancel() {}

    // A decimal spin step: the field read by `read` (the previous value when
    // it does not parse), plus or minus the step, written back with the
    // given decimals and width. Returns the new value.
    using DecimalReader = std::optional<double> (*)(std::string_view);
    double StepDecimalField(int fieldId, DecimalReader read, double previous, double step, int delta,
                            int decimals, int width);

private:
    DialogControl* FindMutable(int id);
    std::optional<FieldRefusal> CheckRanges() const;
    bool SetRadioGroup(std::string_view group, std::string_view value, std::string& problem);

    std::string m_Title;
    int m_nResource;
    DialogButtons m_Buttons;
    bool m_bModeless;
    std::vector<DialogControl> m_Controls;
    Listener m_Listener;
    std::optional<FieldRefusal> m_Refusal;
};

// A spin notification's direction: +1 for the up arrow, -1 for the down.
inline int SpinDirection(int delta) {
    return delta < 1 ? 1 : -1;
}

// The label without its "&" mnemonic marks ("&&" stays one "&").
std::string WithoutMnemonic(std::string_view label);

}  // namespace rollpath
