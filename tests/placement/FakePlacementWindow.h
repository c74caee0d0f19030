#pragma once
// A window as a plain rectangle, for the placement tests.

#include "placement/PlacementWindow.h"

#include <map>

namespace morva::test {

class FakePlacementWindow : public IPlacementWindow {
public:
    std::string Class = "TMainForm";
    std::string Component = "MainForm";
    TRect BoundsRect{10, 20, 300, 200};
    TRect Restored{10, 20, 300, 200};
    bool Handle = true;
    bool Shown = true;
    bool KnownPosition = true;
    // No screens: the reach of a rectangle is not checked.
    std::vector<TRect> Screens;
    TWindowState State = TWindowState::Normal;
    int WindowPpi = 96;
    int ScreenPpi = 96;
    TPosition Pos = TPosition::Designed;
    std::string Focused;
    std::map<std::string, int> Properties;

    std::string ClassName() const override { return Class; }
    std::string ComponentName() const override { return Component; }
    TRect Bounds() const override { return BoundsRect; }
    void SetBounds(const TRect& bounds) override { BoundsRect = Restored = bounds; }
    bool HasHandle() const override { return Handle; }
    bool WasShown() const override { return Shown; }
    bool PositionKnown() const override { return KnownPosition; }
    std::vector<TRect> AvailableAreas() const override { return Screens; }
    TRect RestoredRect() const override { return Restored; }
    void SetRestoredRect(const TRect& rect) override { Restored = rect; }
    TWindowState WindowState() const override { return State; }
    void SetWindowState(TWindowState state) override { State = state; }
    int PixelsPerInch() const override { return WindowPpi; }
    int ScreenPixelsPerInch() const override { return ScreenPpi; }
    TPosition Position() const override { return Pos; }
    void SetPosition(TPosition position) override { Pos = position; }
    std::string ActiveControl() const override { return Focused; }
    void SetActiveControl(const std::string& name) override { Focused = name; }
    std::optional<int> IntProperty(const std::string& name) const override
    {
        auto found = Properties.find(name);
        return found == Properties.end() ? std::nullopt : std::optional<int>(found->second);
    }
    bool SetIntProperty(const std::string& name, int value) override
    {
        auto found = Properties.find(name);
        if (found == Properties.end())
            return false;
        found->second = value;
        return true;
    }
};

} // namespace morva::test
