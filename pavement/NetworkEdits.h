#pragma once

// The edits the network rebuild makes, one event at a time. The rebuild's
// steps decide where each event happens; these functions carry it out.
// Indices are positions in the segment list and slots of the vertex pool.

#include <span>
#include <vector>

#include "document/RollpathDoc.h"

namespace rollpath {

// A live segment whose two vertex indices are slots of the pool. Segments
// that fail this (only possible through a damaged file) are left alone.
bool UsableSegment(const CRollpathDoc& doc, const RollpathSegment& segment);
bool UsableSegment(const CRollpathDoc& doc, int index);

// Every live segment end at `from` takes `to`; a segment left with both
// ends at one vertex has no length and is deleted, and so is one that now
// joins the same two vertices as a live segment that already used `to` (a
// rollpath drawn back over itself would otherwise be written twice, and
// pave twice). `from` is marked deleted
// (its junction pieces dropped), replaced by `to` in the touched-vertex list,
// and hands a source or sink mark to `to`. Indices of segments whose ends
// changed are appended to `changed`.
//
// Every edit here that moves a vertex or merges one into another touches
// that vertex and the far vertices of its segments (once each), so that the
// junctions the edit changed are rebuilt.
void ReplaceVertex(CRollpathDoc& doc, int from, int to, std::vector<int>* changed);

// Every entry `from` of the touched-vertex list becomes `to`.
void ReplaceTouchedVertex(CRollpathDoc& doc, int from, int to);

// Half the width of the band around a segment's centre line in which a
// dangling rollpath end is taken to stop short of it.
double BandHalfWidth(const RollpathSegment& segment, int maxVertexRadius);

// Whether p lies in the band: its foot on the centre line within the segment
// (ends included) and at most the band's half-width from it.
bool BandContains(const CRollpathDoc& doc, const RollpathSegment& segment, const DPoint& p,
                  int maxVertexRadius);

enum class DanglingEndOutcome {
    Unchanged,
    TookVertex,  // the end now uses a vertex of the other segment
    Extended,    // the end moved onto the other segment, which was split there
};

// Connects end `end` of segment `index`, used by no other segment, to segment
// `target`, whose band holds it: the end takes the nearer of the target's
// vertices closer than its width (never the segment's own other vertex), or
// else moves to where its line, prolonged by the target's width, meets the
// target, which is split there (the copy appended). Changed and appended
// segment indices go to `changed`.
DanglingEndOutcome ConnectDanglingEnd(CRollpathDoc& doc, int index, int end, int target,
                                      std::vector<int>* changed);

// Whether the centre lines of two segments cross strictly inside both.
bool CentreLinesCross(const CRollpathDoc& doc, const RollpathSegment& a, const RollpathSegment& b,
                      DPoint& crossing);

struct CrossingOutcome {
    bool resolved = false;  // false when the vertex pool was full
    int endsMoved = 0;
    int splits = 0;
};

// Finds or adds the crossing vertex X, then for segment s and then segment t
// (unless X is already one of its vertices): the end closer than
// MaxSegLength to X (vertex0 first) is replaced by X everywhere, otherwise
// the segment is split at X (the copy appended); a piece that joins the same
// two vertices as another live segment is deleted.
// Once the full vertex pool
// has refused a vertex (`poolRefused` set), later crossings are left alone
// without asking again, so the user sees the limit message once.
CrossingOutcome ResolveCrossing(CRollpathDoc& doc, int s, int t, const DPoint& crossing, bool& poolRefused,
                                std::vector<int>* changed);

// Moves a vertex where a rollpath of the given width meets a runway centre
// line onto the centre line near a runway end (see RunwayEndPin). Returns
// true when the vertex moved.
bool PinAtRunwayEnd(CRollpathDoc& doc, int vertex, double rollpathWidth);

// The class of end `end` of a segment: 4 at an extension end, 0 when
// `connected` is false (no other live, non-provisional segment without No
// Polygon uses the vertex), else the class by the runways there.
int ClassifyEnd(const CRollpathDoc& doc, const RollpathSegment& segment, int end, bool connected);

// Recomputes the shortened markings of every dead end (class 0) of every
// usable segment.
void ShortenDeadEnds(CRollpathDoc& doc);

// Pins a vertex that lies in one or two runways onto the centre line of the
// first of them (or their crossing), moving the other ends of its segments
// that lie in that runway too. `segmentsUsingVertex` lists, in list order,
// the usable segments with an end at the vertex. Returns the number of
// vertex moves made.
int PinVertexInRunways(CRollpathDoc& doc, int vertex, std::span<const int> segmentsUsingVertex);

// Joins a vertex that lies in a runway and on the centre line of a runway
// centre-line segment, between its ends, to that segment: the segment is
// split there (the copy appended, a piece that joins the same two vertices
// as another live segment deleted). Only a vertex that a segment other than
// a runway centre line uses (`segmentsUsingVertex`, as above) is joined.
// Returns the number of splits made.
int JoinRunwaysAtVertex(CRollpathDoc& doc, int vertex, std::span<const int> segmentsUsingVertex);

}  // namespace rollpath
