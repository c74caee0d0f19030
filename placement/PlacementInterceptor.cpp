#include "placement/PlacementInterceptor.h"

#include "placement/ScreenReach.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <strings.h>
#include <utility>

namespace morva {
namespace {

bool Same(const std::string& a, const char* b)
{
    return strcasecmp(a.c_str(), b) == 0;
}

constexpr std::array<std::pair<const char*, TWindowState>, 3> WindowStateNames = {{
    {"wsNormal", TWindowState::Normal},
    {"wsMinimized", TWindowState::Minimized},
    {"wsMaximized", TWindowState::Maximized},
}};

bool IsRestoredState(TWindowState state)
{
    return state == TWindowState::Minimized || state == TWindowState::Maximized;
}

} // namespace

int MulDiv(int a, int b, int c)
{
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(c);
    // Beyond the integer range a result can only be a damaged value: it stops at the edge.
    return static_cast<int>(std::clamp<std::int64_t>(negative ? -magnitude : magnitude, INT32_MIN, INT32_MAX));
}

TPlacementInterceptor::TPlacementInterceptor(IPlacementWindow& window) : window_(window)
{
    const bool restored = window.HasHandle() && IsRestoredState(window.WindowState());
    const TRect rect = restored ? window.RestoredRect() : window.Bounds();
    Left = rect.Left;
    Top = rect.Top;
    Width = rect.Width;
    Height = rect.Height;
    PixelsPerInch = window.PixelsPerInch();
    WindowState = window.WindowState();
    ActiveControl = window.ActiveControl();
}

bool TPlacementInterceptor::HasProperty(const std::string& name)
{
    for (const char* known : {"Height", "Left", "PixelsPerInch", "Top", "Width", "WindowState", "ActiveControl"})
        if (Same(name, known))
            return true;
    return false;
}

std::optional<int> TPlacementInterceptor::IntegerProperty(const std::string& name) const
{
    if (Same(name, "Height"))
        return Height;
    if (Same(name, "Left"))
        return Left;
    if (Same(name, "PixelsPerInch"))
        return PixelsPerInch;
    if (Same(name, "Top"))
        return Top;
    if (Same(name, "Width"))
        return Width;
    return std::nullopt;
}

void TPlacementInterceptor::ReadProperty(const std::string& name, TStreamReader& reader)
{
    if (Same(name, "WindowState")) {
        const std::string ident = reader.ReadIdent();
        for (const auto& [text, state] : WindowStateNames) {
            if (Same(ident, text)) {
                WindowState = state;
                return;
            }
        }
        throw EPropertyError(InvalidPropertyValue);
    }
    if (Same(name, "ActiveControl")) {
        ActiveControl = reader.ReadIdent();
        return;
    }
    const int value = reader.ReadInteger();
    if (Same(name, "Height")) {
        Height = value;
    } else if (Same(name, "Left")) {
        Left = value;
        PositionPresent = true;
    } else if (Same(name, "PixelsPerInch")) {
        PixelsPerInch = value;
    } else if (Same(name, "Top")) {
        Top = value;
        PositionPresent = true;
    } else if (Same(name, "Width")) {
        Width = value;
    }
}

void TPlacementInterceptor::Apply()
{
    // A stored value of 0 or less cannot be a screen's resolution; such a value would
    // scale the window away, so the rectangle is then taken as it stands.
    const int screen = window_.ScreenPixelsPerInch();
    if (PixelsPerInch > 0 && screen > 0) {
        Height = MulDiv(Height, screen, PixelsPerInch);
        Left = MulDiv(Left, screen, PixelsPerInch);
        Top = MulDiv(Top, screen, PixelsPerInch);
        Width = MulDiv(Width, screen, PixelsPerInch);
    }

    window_.SetWindowState(WindowState);
    window_.SetActiveControl(ActiveControl);

    const TRect rect = WithinReach({Left, Top, Width, Height}, window_.AvailableAreas());
    if (IsRestoredState(window_.WindowState()))
        window_.SetRestoredRect(rect);
    else
        window_.SetBounds(rect);

    const TPosition position = window_.Position();
    if ((position == TPosition::ScreenCenter || position == TPosition::DesktopCenter) && PositionPresent)
        window_.SetPosition(TPosition::Designed);
}

} // namespace morva
