#pragma once
// What the placement storage needs from a window: its names, bounds and restored
// rectangle, state, pixels per inch, position mode, active control and its other
// integer properties.

#include <optional>
#include <string>
#include <vector>

namespace morva {

struct TRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TRect&) const = default;
};

enum class TWindowState { Normal, Minimized, Maximized };

// How a window picks its position when it first shows.
enum class TPosition {
    Designed, Default, DefaultPosOnly, DefaultSizeOnly, ScreenCenter, DesktopCenter, MainFormCenter, OwnerFormCenter
};

class IPlacementWindow {
public:
    virtual ~IPlacementWindow() = default;

    virtual std::string ClassName() const = 0;     // "TMainForm"
    virtual std::string ComponentName() const = 0; // "MainForm"

    // The outer bounds, frame included; set so that the frame lands where they say.
    virtual TRect Bounds() const = 0;
    virtual void SetBounds(const TRect& bounds) = 0;
    // Whether the window system has made the window yet.
    virtual bool HasHandle() const = 0;
    // Whether the window has been on screen since it was made.
    virtual bool WasShown() const = 0;
    // Whether the window system tells and sets where the window is. Where it does not
    // (Wayland), Left and Top of Bounds mean nothing.
    virtual bool PositionKnown() const = 0;
    // The part of each screen that windows may use (without panels and docks).
    virtual std::vector<TRect> AvailableAreas() const = 0;
    // The rectangle a minimised or maximised window returns to.
    virtual TRect RestoredRect() const = 0;
    virtual void SetRestoredRect(const TRect& rect) = 0;
    virtual TWindowState WindowState() const = 0;
    virtual void SetWindowState(TWindowState state) = 0;
    virtual int PixelsPerInch() const = 0;
    virtual int ScreenPixelsPerInch() const = 0;
    virtual TPosition Position() const = 0;
    virtual void SetPosition(TPosition position) = 0;
    // The name of the focused child; empty for none.
    virtual std::string ActiveControl() const = 0;
    virtual void SetActiveControl(const std::string& name) = 0;

    // The window's own integer properties; nothing / false when it has none of that name.
    virtual std::optional<int> IntProperty(const std::string& name) const = 0;
    virtual bool SetIntProperty(const std::string& name, int value) = 0;
};

} // namespace morva
