#pragma once
// The straight line of the drawing interface cut at a rectangular frame: the
// one clipping routine of both engines' LINIE.
//
// The ends are first ordered left to right (equal X exchanged as well), so a
// drawn segment runs from its entry into the frame towards its exit. Points on
// an edge count as inside; all comparisons are exact in single precision.
// A segment that passes exactly through a corner of the frame is cut at the
// true crossings (where the entry and exit rules would meet at the corner and
// lose the rest of the segment).

#include <optional>

namespace drawing {

// Page mm; top < bottom.
struct ClipFrame {
    float left = 0, top = 0, right = 0, bottom = 0;
};

struct ClipSegment {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The part of (x1, y1)-(x2, y2) to draw. With clip false the ordered segment
// is returned unchanged; with clip true a segment wholly beyond one edge, or
// passing outside a corner, gives nothing.
std::optional<ClipSegment> clipLine(float x1, float y1, float x2, float y2, const ClipFrame& frame, bool clip = true);

// The filled band spanned by two points: the ordered corners, with clip true
// clamped to the frame (and nothing when the band lies beyond one edge).
std::optional<ClipSegment> clampBand(float x1, float y1, float x2, float y2, const ClipFrame& frame, bool clip = true);

} // namespace drawing
