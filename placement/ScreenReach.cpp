#include "placement/ScreenReach.h"

#include <algorithm>
#include <cstdint>

namespace morva {
namespace {

// Lengths and edges as 64-bit numbers: stored values may lie anywhere in the 32-bit range.
struct TSpan {
    std::int64_t First, Length;
    std::int64_t Last() const { return First + Length; }
};

std::int64_t Overlap(TSpan a, TSpan b)
{
    return std::max<std::int64_t>(0, std::min(a.Last(), b.Last()) - std::max(a.First, b.First));
}

TSpan Horizontal(const TRect& rect)
{
    return {rect.Left, std::max(rect.Width, 0)};
}

TSpan Vertical(const TRect& rect)
{
    return {rect.Top, std::max(rect.Height, 0)};
}

bool Fits(const TRect& rect, const TRect& area)
{
    if (rect.Width > area.Width || rect.Height > area.Height)
        return false;
    const TSpan strip{rect.Top, std::min(std::max(rect.Height, 0), TitleStripHeight)};
    const bool stripInside = strip.First >= area.Top && strip.Last() <= Vertical(area).Last();
    const std::int64_t grip = std::min<std::int64_t>(std::max(rect.Width, 0), TitleStripGrip);
    return stripInside && Overlap(Horizontal(rect), Horizontal(area)) >= grip;
}

// The least move of [first, first + length) that puts it inside area (length <= area's).
int Inside(std::int64_t first, std::int64_t length, TSpan area)
{
    return static_cast<int>(std::clamp(first, area.First, area.Last() - length));
}

} // namespace

TRect WithinReach(const TRect& rect, std::span<const TRect> areas)
{
    if (areas.empty() || std::any_of(areas.begin(), areas.end(), [&](const TRect& area) { return Fits(rect, area); }))
        return rect;

    const TRect* target = &areas.front();
    std::int64_t best = 0;
    for (const TRect& area : areas) {
        const std::int64_t shared = Overlap(Horizontal(rect), Horizontal(area)) * Overlap(Vertical(rect), Vertical(area));
        if (shared > best) {
            best = shared;
            target = &area;
        }
    }
    TRect reached = rect;
    reached.Width = std::min(rect.Width, target->Width);
    reached.Height = std::min(rect.Height, target->Height);
    reached.Left = Inside(rect.Left, std::max(reached.Width, 0), Horizontal(*target));
    reached.Top = Inside(rect.Top, std::max(reached.Height, 0), Vertical(*target));
    return reached;
}

} // namespace morva
