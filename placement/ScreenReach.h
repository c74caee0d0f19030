#pragma once
// Where a window can be reached: a stored rectangle that would put a window out of the
// user's reach (larger than the screen, or with its title bar on no screen) is brought back
// onto a screen; one that fits is left exactly as it is.

#include "placement/PlacementWindow.h"

#include <span>

namespace morva {

// The strip along a window's top edge that must lie on a screen for the user to grab it.
inline constexpr int TitleStripHeight = 24;
inline constexpr int TitleStripGrip = 48;

// rect, or with no screen to go by (areas empty) rect as well. Otherwise, unless rect fits
// one of the areas (no wider and no higher, and its title strip on it across at least
// TitleStripGrip pixels or its whole width), rect shrunk to the area it overlaps most (the
// first when it overlaps none) and moved the least distance that puts it wholly inside.
TRect WithinReach(const TRect& rect, std::span<const TRect> areas);

} // namespace morva
