#pragma once

// The painted markings of one runway, as quads in LocalFeet. A closed runway
// gets two crosses; an open one threshold bars, centre-line dashes,
// displaced-threshold bars and arrows and aiming-point bars, chosen by its
// marking class (the low byte of the first end attribute: 1 centre line
// only, 4 with threshold bars, 6 and 7 with aiming points too).
//
// "Inside" distances are measured from an end point along the runway toward
// the other end; at end 2 the runway is seen in the reverse direction.

#include <vector>

#include "document/Records.h"

namespace rollpath {

int RunwayMarkingClass(const RunwayRecord& runway);

// At 75 ft inside each end, bars 60 ft long and 10 ft wide crossing at 45 and
// 135 degrees to the axis: two quads per end.
void AppendClosedRunwayCrosses(const RunwayRecord& runway, std::vector<Quad>& out);

// Classes 4, 6, 7: at each end 8 bars 120 ft long, 4 either side of the centre
// line, with s = width / 11: bar i from (i + 0.5) s to (i + 0.5) s + 2 s / 3
// out from the centre line, starting 5 ft inside the end, or 8 ft past a
// displaced threshold.
void AppendThresholdBars(const RunwayRecord& runway, std::vector<Quad>& out);

// Classes 1, 4, 6, 7: 2 ft wide dashes, 120 ft long every 200 ft, on the
// centre line between the thresholds (each moved 200 ft further in, except
// for class 1).
void AppendCentreLineDashes(const RunwayRecord& runway, std::vector<Quad>& out);

inline constexpr int kMaxDisplacedThresholdArrows = 5;
inline constexpr double kArrowSlot = 100.0;  // feet of displaced length per arrow

// At an end (0 or 1) with a displaced threshold d: a 3 ft bar across the full
// width from d to d + 3 ft inside, and one arrow per whole 100 ft of d (at
// most 5) on the centre line in the displaced area, each pointing toward the
// threshold: a 3 quad arrow, its head (arms of a quarter of the width opening
// at 10 degrees, see Arrowhead.h) 10 ft short of the end of its 100 ft slot
// and its shaft reaching back to 10 ft from the slot's start.
void AppendDisplacedThresholdMarks(const RunwayRecord& runway, int end, std::vector<Quad>& out);

inline constexpr double kAimingPointDistance = 1000.0;  // from the threshold, feet
inline constexpr double kAimingPointLength = 150.0;

// Classes 6 and 7: at each end, two bars either side of the centre line from
// 1000 to 1150 ft past the threshold, spanning 45 % to 85 % of the way from
// the centre line to the runway's corners. An end whose bars would reach past
// the middle of the runway gets none.
void AppendAimingPointBars(const RunwayRecord& runway, std::vector<Quad>& out);

// Every marking of the runway in drawing order: the crosses of a closed
// runway, or the open runway's pieces by class.
void BuildRunwayMarkings(const RunwayRecord& runway, std::vector<Quad>& out);

}  // namespace rollpath
