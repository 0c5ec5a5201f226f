#pragma once

// The edit fields of the Preferences pages and how they exchange their
// values: integer fields checked against a range with the framework's
// standard validation messages, decimal fields read with "%lf", shown with
// "%5.2f" and checked against their range, and the spin buttons beside them. No toolkit here, so the pages'
// logic is tested without showing them.

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "geometry/NumberRange.h"
#include "settings/Settings.h"

namespace rollpath {

// The framework's standard data-validation messages.
inline constexpr const char* kEnterIntegerMessage = "Please enter an integer.";
// "Please enter an integer between MIN and MAX."
std::string IntegerRangeMessage(int min, int max);

// An integer edit field with its spin button (resource numbers) and the
// setting it edits.
struct IntegerField {
    int control;
    int spin;
    std::string_view label;
    int min;  // the accepted range, checked when the page hands back its values
    int max;
    int spinMin;  // the range the spin steps within
    int spinMax;
    int Settings::*setting;
};

// A decimal edit field (feet): shown with "%5.2f", read back with "%lf". Its
// spin steps by 0.01, or by 0.1 while Shift is held, within the range.
struct DecimalField {
    int control;
    int spin;
    std::string_view label;
    NumberRange range;  // the accepted values, checked when the page hands them back
    double Settings::*setting;
};

inline constexpr double kDecimalStep = 0.01;
inline constexpr double kDecimalShiftStep = 0.1;
// Decimal fields are read as far as a 32-byte buffer holds their text.
inline constexpr std::size_t kDecimalTextLength = 31;

// A field the page refused, with the message the user sees.
struct FieldError {
    int control;
    std::string message;
    friend bool operator==(const FieldError&, const FieldError&) = default;
};

// The texts of a page's edit fields by resource number.
using FieldTexts = std::map<int, std::string>;

// An integer as the framework's data exchange reads it: a decimal number with
// optional blanks around it and nothing else, within the range of int.
std::optional<int> ParseIntegerField(std::string_view text);

// "%lf" of the first 31 characters. Nothing when the text does not start with
// a number, or when the number is not finite (such a width or offset would
// wreck the generated pavement).
std::optional<double> ScanDecimalField(std::string_view text);

// "%5.2f" of a value.
std::string FormatDecimalField(double value);

// One step of a decimal spin: the field's number (the previous value when the
// text does not parse) plus or minus the step, kept within the range.
double StepDecimal(std::string_view text, double previous, bool up, bool shift, const NumberRange& range);

// One step of an integer spin bound to its field: the field's number (the
// spin's position when the text does not parse) plus or minus 1, kept within
// the spin's range.
int StepInteger(std::string_view text, int position, bool up, const IntegerField& field);

// The integer and decimal fields of one page, holding the values the page
// shows until the sheet ends.
class FieldPageModel {
public:
    FieldPageModel(std::span<const IntegerField> integers, std::span<const DecimalField> decimals,
                   const Settings& settings);

    std::span<const IntegerField> IntegerFields() const { return integers_; }
    std::span<const DecimalField> DecimalFields() const { return decimals_; }

    // The value of a field by its control number (0 or 0.0 for no such field).
    int Integer(int control) const;
    double Decimal(int control) const;
    // The text a field shows for its value: "%d" or "%5.2f".
    std::string Text(int control) const;
    // The texts of the field's extreme values, which it must have room for:
    // its least and greatest.
    std::vector<std::string> ExtremeTexts(int control) const;

    // A spin step on the field `control` whose text is `text`; the new text.
    // A decimal step also becomes the field's value at once.
    std::string StepSpin(int control, std::string_view text, bool up, bool shift);

    // Takes every field's text back, in field order. The first integer field
    // that does not parse, or field whose number lies outside its range, is
    // refused and nothing is taken; a decimal text that does not parse keeps
    // the field's value.
    std::optional<FieldError> Exchange(const FieldTexts& texts);

    // Hands the values to the settings (after OK).
    void CopyTo(Settings& settings) const;

private:
    const IntegerField* FindInteger(int control) const;
    const DecimalField* FindDecimal(int control) const;

    std::span<const IntegerField> integers_;
    std::span<const DecimalField> decimals_;
    std::map<int, int> integerValues_;
    std::map<int, double> decimalValues_;
};

}  // namespace rollpath
