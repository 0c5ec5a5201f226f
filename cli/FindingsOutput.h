#pragma once

// The layout checks' findings as the CLI prints them: one line each, or JSON.

#include <ostream>
#include <span>

#include "checks/LayoutChecks.h"
#include "cli/Json.h"

namespace rollpath::cli {

// "error polygon (50.0, 50.0): polygon 3 crosses or touches itself at ...",
// each line after `prefix`.
void WriteFindingLines(std::ostream& out, std::span<const Finding> findings, const char* prefix = "");

// An array of objects: id, severity, message, x, y and the object (kind and
// index).
void WriteFindingsJson(JsonWriter& json, std::span<const Finding> findings);

// An object with the number of findings of every check, by id.
void WriteCountsJson(JsonWriter& json, const FindingCounts& counts);

}  // namespace rollpath::cli
