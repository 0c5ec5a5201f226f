#include "view/preferences/PageFields.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "geometry/NumberText.h"

namespace rollpath {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::string IntegerRangeMessage(int min, int max) {
    return "Please enter an integer between " + std::to_string(min) + " and " + std::to_string(max) + ".";
}

std::optional<int> ParseIntegerField(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin])) {
        ++begin;
    }
    std::size_t end = text.size();
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    // strtol needs a terminated copy; it also accepts a sign.
    const std::string number(text.substr(begin, end - begin));
    if (number.empty()) {
        return std::nullopt;
    }
    errno = 0;
    char* stop = nullptr;
    const long value = std::strtol(number.c_str(), &stop, 10);
    if (stop == number.c_str() || *stop != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<double> ScanDecimalField(std::string_view text) {
    const std::optional<double> value =
        ParseDecimal(text.substr(0, std::min(text.size(), kDecimalTextLength)));
    if (!value || !std::isfinite(*value)) {
        return std::nullopt;
    }
    return value;
}

std::string FormatDecimalField(double value) {
    return FormatFixed(value, 2, 5);
}

double StepDecimal(std::string_view text, double previous, bool up, bool shift, const NumberRange& range) {
    const double step = shift ? kDecimalShiftStep : kDecimalStep;
    const double value = ScanDecimalField(text).value_or(previous);
    return range.Clamp(up ? value + step : value - step);
}

int StepInteger(std::string_view text, int position, bool up, const IntegerField& field) {
    const long long value = ParseIntegerField(text).value_or(position);
    const long long stepped = up ? value + 1 : value - 1;
    return static_cast<int>(std::clamp<long long>(stepped, field.spinMin, field.spinMax));
}

FieldPageModel::FieldPageModel(std::span<const IntegerField> integers, std::span<const DecimalField> decimals,
                               const Settings& settings)
    : integers_(integers), decimals_(decimals) {
    for (const IntegerField& f : integers_) {
        integerValues_[f.control] = settings.*f.setting;
    }
    for (const DecimalField& f : decimals_) {
        decimalValues_[f.control] = settings.*f.setting;
    }
}

const IntegerField* FieldPageModel::FindInteger(int control) const {
    const auto it = std::find_if(integers_.begin(), integers_.end(),
                                 [control](const IntegerField& f) { return f.control == control; });
    return it == integers_.end() ? nullptr : &*it;
}

const DecimalField* FieldPageModel::FindDecimal(int control) const {
    const auto it = std::find_if(decimals_.begin(), decimals_.end(),
                                 [control](const DecimalField& f) { return f.control == control; });
    return it == decimals_.end() ? nullptr : &*it;
}

int FieldPageModel::Integer(int control) const {
    const auto it = integerValues_.find(control);
    return it == integerValues_.end() ? 0 : it->second;
}

double FieldPageModel::Decimal(int control) const {
    const auto it = decimalValues_.find(control);
    return it == decimalValues_.end() ? 0.0 : it->second;
}

std::string FieldPageModel::Text(int control) const {
    if (FindDecimal(control) != nullptr) {
        return FormatDecimalField(Decimal(control));
    }
    return std::to_string(Integer(control));
}

std::vector<std::string> FieldPageModel::ExtremeTexts(int control) const {
    if (const DecimalField* field = FindDecimal(control)) {
        return {FormatDecimalField(field->range.min), FormatDecimalField(field->range.max)};
    }
    if (const IntegerField* field = FindInteger(control)) {
        return {std::to_string(field->min), std::to_string(field->max)};
    }
    return {};
}

std::string FieldPageModel::StepSpin(int control, std::string_view text, bool up, bool shift) {
    if (const DecimalField* field = FindDecimal(control)) {
        double& value = decimalValues_[control];
        value = StepDecimal(text, value, up, shift, field->range);
        return FormatDecimalField(value);
    }
    if (const IntegerField* field = FindInteger(control)) {
        return std::to_string(StepInteger(text, Integer(control), up, *field));
    }
    return std::string(text);
}

std::optional<FieldError> FieldPageModel::Exchange(const FieldTexts& texts) {
    std::map<int, int> integers = integerValues_;
    for (const IntegerField& f : integers_) {
        const auto text = texts.find(f.control);
        if (text == texts.end()) {
            continue;  // a field the page does not show keeps its value
        }
        const std::optional<int> value = ParseIntegerField(text->second);
        if (!value) {
            return FieldError{f.control, kEnterIntegerMessage};
        }
        if (*value < f.min || *value > f.max) {
            return FieldError{f.control, IntegerRangeMessage(f.min, f.max)};
        }
        integers[f.control] = *value;
    }
    std::map<int, double> decimals = decimalValues_;
    for (const DecimalField& f : decimals_) {
        const auto text = texts.find(f.control);
        if (text == texts.end()) {
            continue;
        }
        if (const std::optional<double> value = ScanDecimalField(text->second)) {
            if (!f.range.Holds(*value)) {
                return FieldError{f.control, NumberRangeMessage(f.range)};
            }
            decimals[f.control] = *value;
        }
    }
    integerValues_ = std::move(integers);
    decimalValues_ = std::move(decimals);
    return std::nullopt;
}

void FieldPageModel::CopyTo(Settings& settings) const {
    for (const IntegerField& f : integers_) {
        settings.*f.setting = Integer(f.control);
    }
    for (const DecimalField& f : decimals_) {
        settings.*f.setting = Decimal(f.control);
    }
}

}  // namespace rollpath
