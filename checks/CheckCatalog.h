#pragma once

// The layout checks by their stable ids, with the severity of each, and sets
// of them as the preferences and the command line choose them.

#include <bitset>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace rollpath {

enum class Severity { Warning, Error };

// "warning" or "error".
const char* SeverityName(Severity severity);

// In the order the checks run and are listed.
enum class CheckId {
    Unreachable,
    DanglingEnd,
    MissingHold,
    ShortSegment,
    DuplicateSegment,
    SharpTurn,
    Polygon,
    SourceSink,
    OutsideTiles,
};
inline constexpr int kCheckCount = 9;

struct CheckInfo {
    CheckId check;
    std::string_view id;  // stable: settings, scripts and pipelines name checks by it
    Severity severity;
    std::string_view title;  // what the check finds, for the preferences
};

std::span<const CheckInfo> AllChecks();
const CheckInfo& InfoOf(CheckId check);
std::optional<CheckId> CheckFromId(std::string_view id);

class CheckSet {
public:
    static CheckSet All();
    static CheckSet None() { return CheckSet{}; }

    bool Has(CheckId check) const { return bits_.test(static_cast<std::size_t>(check)); }
    void Set(CheckId check, bool on) { bits_.set(static_cast<std::size_t>(check), on); }
    bool Empty() const { return bits_.none(); }
    friend bool operator==(const CheckSet&, const CheckSet&) = default;

private:
    std::bitset<kCheckCount> bits_;
};

// A comma-separated list of ids ("polygon,sharp-turn"; blanks around ids
// are allowed, an empty list is the empty set). Nothing when an id is not
// known; `unknown` then receives it.
std::optional<CheckSet> ParseCheckList(std::string_view text, std::string* unknown = nullptr);
// The ids of the set, in check order, separated by commas.
std::string FormatCheckList(const CheckSet& set);

// The checks that the "DisabledChecks" setting (a list of ids) leaves on.
// Ids the program does not know are ignored there, so that settings written
// by a later version still load.
CheckSet EnabledChecks(std::string_view disabledSetting);
// The setting that leaves exactly `enabled` on.
std::string DisabledChecksSetting(const CheckSet& enabled);

}  // namespace rollpath
