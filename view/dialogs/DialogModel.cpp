#include "view/dialogs/DialogModel.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <utility>

namespace rollpath {

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// A check state as scripts write it.
bool ReadCheckState(std::string_view value, bool& checked) {
    for (const std::string_view yes : {"1", "true", "yes", "on"}) {
        if (SameIgnoringCase(value, yes)) {
            checked = true;
            return true;
        }
    }
    for (const std::string_view no : {"0", "false", "no", "off"}) {
        if (SameIgnoringCase(value, no)) {
            checked = false;
            return true;
        }
    }
    return false;
}

}  // namespace

std::string WithoutMnemonic(std::string_view label) {
    std::string out;
    out.reserve(label.size());
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&') {
            if (i + 1 < label.size() && label[i + 1] == '&') {
                out.push_back('&');
                ++i;
            }
            continue;
        }
        out.push_back(label[i]);
    }
    return out;
}

DialogModel::DialogModel(std::string title, int resource, DialogButtons buttons, bool modeless)
    : m_Title(std::move(title)), m_nResource(resource), m_Buttons(buttons), m_bModeless(modeless) {}

const DialogControl* DialogModel::Find(int id) const {
    const auto it = std::find_if(m_Controls.begin(), m_Controls.end(),
                                 [id](const DialogControl& c) { return c.id == id; });
    return it == m_Controls.end() ? nullptr : &*it;
}

DialogControl* DialogModel::FindMutable(int id) {
    return const_cast<DialogControl*>(std::as_const(*this).Find(id));
}

const DialogControl* DialogModel::FindByName(std::string_view name) const {
    for (const DialogControl& c : m_Controls) {
        if (!c.name.empty() && c.name == name) {
            return &c;
        }
    }
    for (const DialogControl& c : m_Controls) {
        if (!c.name.empty() && SameIgnoringCase(c.name, name)) {
            return &c;
        }
    }
    int id = 0;
    const auto r = std::from_chars(name.data(), name.data() + name.size(), id);
    if (r.ec == std::errc{} && r.ptr == name.data() + name.size()) {
        return Find(id);
    }
    return nullptr;
}

std::string DialogModel::TextOf(int id) const {
    const DialogControl* c = Find(id);
    return c != nullptr ? c->text : std::string();
}

bool DialogModel::IsChecked(int id) const {
    const DialogControl* c = Find(id);
    return c != nullptr && c->checked;
}

bool DialogModel::IsEnabled(int id) const {
    const DialogControl* c = Find(id);
    return c != nullptr && c->enabled;
}

DialogControl& DialogModel::Add(DialogControl control) {
    if (control.name.empty()) {
        control.name = WithoutMnemonic(control.label);
    }
    m_Controls.push_back(std::move(control));
    return m_Controls.back();
}

DialogControl& DialogModel::AddStatic(int id, std::string text) {
    DialogControl c;
    c.id = id;
    c.kind = ControlKind::Static;
    c.text = std::move(text);
    return Add(std::move(c));
}

DialogControl& DialogModel::AddField(int id, std::string label, std::string text, bool readOnly) {
    DialogControl c;
    c.id = id;
    c.kind = ControlKind::Edit;
    c.label = std::move(label);
    c.text = std::move(text);
    c.initialText = c.text;
    c.readOnly = readOnly;
    return Add(std::move(c));
}

DialogControl& DialogModel::AddCheck(int id, std::string label, bool checked) {
    DialogControl c;
    c.id = id;
    c.kind = ControlKind::CheckBox;
    c.label = std::move(label);
    c.checked = checked;
    return Add(std::move(c));
}

DialogControl& DialogModel::AddRadio(int id, std::string label, std::string group, bool checked) {
    DialogControl c;
    c.id = id;
    c.kind = ControlKind::RadioButton;
    c.label = std::move(label);
    c.group = std::move(group);
    c.checked = checked;
    return Add(std::move(c));
}

DialogControl& DialogModel::AddList(int id, std::string label, std::vector<std::string> items) {
    DialogControl c;
    c.id = id;
    c.kind = ControlKind::ListBox;
    c.label = std::move(label);
    c.items = std::move(items);
    return Add(std::move(c));
}

DialogControl& DialogModel::AddSpin(int id, int buddy) {
    DialogControl c;
    c.id = id;
    c.kind = ControlKind::SpinButton;
    c.buddy = buddy;
    c.sameRow = true;
    c.name = "spin " + std::to_string(id);
    return Add(std::move(c));
}

DialogControl& DialogModel::Control(int id) {
    DialogControl* c = FindMutable(id);
    // Only the dialogs themselves name controls here, with their own numbers.
    if (c == nullptr) {
        std::abort();
    }
    return *c;
}

void DialogModel::SetText(int id, std::string text) {
    Control(id).text = std::move(text);
    Changed();
}

void DialogModel::SetChecked(int id, bool checked) {
    Control(id).checked = checked;
    Changed();
}

void DialogModel::SetEnabled(int id, bool enabled) {
    Control(id).enabled = enabled;
    Changed();
}

void DialogModel::Changed() {
    if (m_Listener) {
        m_Listener();
    }
}

void DialogModel::TypeText(int id, std::string_view text) {
    DialogControl* c = FindMutable(id);
    if (c == nullptr || c->kind != ControlKind::Edit || c->readOnly || !c->enabled) {
        return;
    }
    c->text = std::string(text);
    Changed();
    OnChanged(id);
}

void DialogModel::Click(int id) {
    DialogControl* c = FindMutable(id);
    if (c == nullptr || !c->enabled) {
        return;
    }
    if (c->kind == ControlKind::CheckBox) {
        c->checked = !c->checked;
    } else if (c->kind == ControlKind::RadioButton) {
        const std::string group = c->group;
        for (DialogControl& other : m_Controls) {
            if (other.kind == ControlKind::RadioButton && other.group == group) {
                other.checked = other.id == id;
            }
        }
    } else {
        return;
    }
    Changed();
    OnChanged(id);
}

void DialogModel::SelectItem(int id, int index) {
    DialogControl* c = FindMutable(id);
    if (c == nullptr || c->kind != ControlKind::ListBox || !c->enabled) {
        return;
    }
    c->selected = index >= 0 && static_cast<std::size_t>(index) < c->items.size() ? index : -1;
    Changed();
    OnChanged(id);
}

void DialogModel::Spin(int spinId, int delta) {
    const DialogControl* c = Find(spinId);
    if (c == nullptr || c->kind != ControlKind::SpinButton || !c->enabled) {
        return;
    }
    OnSpin(spinId, delta);
}

// A text left as the dialog showed it is no new value, so an old value
// outside the range (a width read from a file) does not lock the dialog.
std::optional<FieldRefusal> DialogModel::CheckRanges() const {
    for (const DialogControl& c : m_Controls) {
        if (!c.range || c.kind != ControlKind::Edit || c.readOnly || !c.enabled || c.text == c.initialText) {
            continue;
        }
        const std::optional<double> value =
            c.range->whole ? std::optional<double>(ReadSignedInteger(c.text)) : ReadDecimal(c.text);
        if (value && !c.range->Holds(*value)) {
            return FieldRefusal{c.id, NumberRangeMessage(*c.range)};
        }
    }
    return std::nullopt;
}

bool DialogModel::Ok() {
    m_Refusal = CheckRanges();
    return !m_Refusal && OnOk();
}

void DialogModel::Cancel() {
    OnCancel();
}

double DialogModel::StepDecimalField(int fieldId, DecimalReader read, double previous, double step, int delta,
                                     int decimals, int width) {
    const double value = read(TextOf(fieldId)).value_or(previous) + SpinDirection(delta) * step;
    SetText(fieldId, FormatFixed(value, decimals, width));
    return value;
}

bool DialogModel::SetRadioGroup(std::string_view group, std::string_view value, std::string& problem) {
    bool groupFound = false;
    for (const DialogControl& c : m_Controls) {
        if (c.kind != ControlKind::RadioButton || !SameIgnoringCase(WithoutMnemonic(c.group), group)) {
            continue;
        }
        groupFound = true;
        if (SameIgnoringCase(c.name, value)) {
            if (!c.enabled) {
                problem = c.name + " is disabled";
                return false;
            }
            Click(c.id);
            return true;
        }
    }
    problem = groupFound ? std::string(group) + " has no choice " + std::string(value)
                         : m_Title + " has no field " + std::string(group);
    return false;
}

bool DialogModel::SetField(std::string_view name, std::string_view value, std::string& problem) {
    const DialogControl* c = FindByName(name);
    if (c == nullptr) {
        return SetRadioGroup(name, value, problem);
    }
    const std::string shown = c->name;
    if (!c->enabled) {
        problem = shown + " is disabled";
        return false;
    }
    switch (c->kind) {
        case ControlKind::Edit:
            if (c->readOnly) {
                problem = shown + " is read-only";
                return false;
            }
            TypeText(c->id, value);
            return true;
        case ControlKind::CheckBox: {
            bool checked = false;
            if (!ReadCheckState(value, checked)) {
                problem = shown + " takes 1 or 0, not " + std::string(value);
                return false;
            }
            if (checked != c->checked) {
                Click(c->id);
            }
            return true;
        }
        case ControlKind::RadioButton: {
            bool checked = false;
            if (!ReadCheckState(value, checked) || (!checked && c->checked)) {
                problem = shown + " is chosen by choosing it (1), or another button of its group";
                return false;
            }
            if (checked) {
                Click(c->id);
            }
            return true;
        }
        case ControlKind::ListBox: {
            const auto it = std::find(c->items.begin(), c->items.end(), value);
            if (it == c->items.end()) {
                problem = shown + " has no entry " + std::string(value);
                return false;
            }
            SelectItem(c->id, static_cast<int>(it - c->items.begin()));
            return true;
        }
        case ControlKind::Static:
        case ControlKind::SpinButton:
            break;
    }
    problem = shown + " cannot be set";
    return false;
}

}  // namespace rollpath
