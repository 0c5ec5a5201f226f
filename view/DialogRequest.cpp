#include "view/DialogRequest.h"

#include <algorithm>

namespace rollpath {

DialogField* DialogRequest::Find(std::string_view name) {
    const auto it =
        std::find_if(fields.begin(), fields.end(), [name](const DialogField& f) { return f.name == name; });
    return it == fields.end() ? nullptr : &*it;
}

const DialogField* DialogRequest::Find(std::string_view name) const {
    const auto it =
        std::find_if(fields.begin(), fields.end(), [name](const DialogField& f) { return f.name == name; });
    return it == fields.end() ? nullptr : &*it;
}

std::optional<std::string> DialogRequest::Value(std::string_view name) const {
    const DialogField* field = Find(name);
    if (field == nullptr) {
        return std::nullopt;
    }
    return field->value;
}

bool DialogRequest::Set(std::string_view name, std::string value) {
    DialogField* field = Find(name);
    if (field == nullptr) {
        return false;
    }
    field->value = std::move(value);
    return true;
}

std::string FieldNameOfLabel(std::string_view label) {
    std::string name;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&') {
            if (i + 1 < label.size() && label[i + 1] == '&') {
                name += '&';
                ++i;
            }
            continue;
        }
        name += label[i];
    }
    return name;
}

}  // namespace rollpath
