#include "checks/CheckCatalog.h"

#include <array>

namespace rollpath {

namespace {

constexpr std::array<CheckInfo, kCheckCount> kChecks{{
    {CheckId::Unreachable, "unreachable", Severity::Warning, "Rollpaths not connected to any runway"},
    {CheckId::DanglingEnd, "dangling-end", Severity::Warning, "Dead ends that almost join another segment"},
    {CheckId::MissingHold, "missing-hold", Severity::Warning, "Rollpaths joining a runway without a hold"},
    {CheckId::ShortSegment, "short-segment", Severity::Warning, "Rollpaths shorter than their width"},
    {CheckId::DuplicateSegment, "duplicate-segment", Severity::Error,
     "Segments joining the same two vertices"},
    {CheckId::SharpTurn, "sharp-turn", Severity::Warning, "Rollpaths meeting at under 30 degrees"},
    {CheckId::Polygon, "polygon", Severity::Error, "Ground polygons that Save cannot write"},
    {CheckId::SourceSink, "source-sink", Severity::Error, "Source and Sink missing or not connected"},
    {CheckId::OutsideTiles, "outside-tiles", Severity::Error, "Pieces outside the tile grid or 50 nm"},
}};

// The text without the blanks and tabs around it.
std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view()
                                           : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Calls f with each trimmed, non-empty item of a comma-separated list;
// stops when f returns false.
template <typename F>
bool ForEachItem(std::string_view text, F f) {
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = Trim(text.substr(0, comma));
        if (!item.empty() && !f(item)) {
            return false;
        }
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    return true;
}

}  // namespace

const char* SeverityName(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

std::span<const CheckInfo> AllChecks() {
    return kChecks;
}

const CheckInfo& InfoOf(CheckId check) {
    return kChecks[static_cast<std::size_t>(check)];
}

std::optional<CheckId> CheckFromId(std::string_view id) {
    for (const CheckInfo& info : kChecks) {
        if (info.id == id) {
            return info.check;
        }
    }
    return std::nullopt;
}

CheckSet CheckSet::All() {
    CheckSet set;
    set.bits_.set();
    return set;
}

std::optional<CheckSet> ParseCheckList(std::string_view text, std::string* unknown) {
    CheckSet set;
    const bool ok = ForEachItem(text, [&](std::string_view item) {
        const std::optional<CheckId> check = CheckFromId(item);
        if (!check) {
            if (unknown != nullptr) {
                *unknown = std::string(item);
            }
            return false;
        }
        set.Set(*check, true);
        return true;
    });
    return ok ? std::optional<CheckSet>(set) : std::nullopt;
}

std::string FormatCheckList(const CheckSet& set) {
    std::string text;
    for (const CheckInfo& info : kChecks) {
        if (set.Has(info.check)) {
            if (!text.empty()) {
                text += ',';
            }
            text += info.id;
        }
    }
    return text;
}

CheckSet EnabledChecks(std::string_view disabledSetting) {
    CheckSet set = CheckSet::All();
    ForEachItem(disabledSetting, [&set](std::string_view item) {
        if (const std::optional<CheckId> check = CheckFromId(item)) {
            set.Set(*check, false);
        }
        return true;
    });
    return set;
}

std::string DisabledChecksSetting(const CheckSet& enabled) {
    CheckSet disabled;
    for (const CheckInfo& info : kChecks) {
        disabled.Set(info.check, !enabled.Has(info.check));
    }
    return FormatCheckList(disabled);
}

}  // namespace rollpath
