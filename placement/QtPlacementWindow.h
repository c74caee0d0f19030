#pragma once
// A Qt top-level widget as the placement storage sees it. Its class name is the C++ class
// without namespace ("TMainForm"), its component name the object name ("MainForm"); the
// position mode is the widget's "Position" property (a TPosition number, Designed when unset).

#include "placement/PlacementWindow.h"

#include <QPointer>
#include <QWidget>

namespace morva {

class TQtPlacementWindow : public IPlacementWindow {
public:
    explicit TQtPlacementWindow(QWidget& window) : window_(&window) {}

    std::string ClassName() const override;
    std::string ComponentName() const override;
    TRect Bounds() const override;
    void SetBounds(const TRect& bounds) override;
    bool HasHandle() const override;
    TRect RestoredRect() const override;
    void SetRestoredRect(const TRect& rect) override;
    TWindowState WindowState() const override;
    void SetWindowState(TWindowState state) override;
    int PixelsPerInch() const override;
    int ScreenPixelsPerInch() const override;
    TPosition Position() const override;
    void SetPosition(TPosition position) override;
    std::string ActiveControl() const override;
    void SetActiveControl(const std::string& name) override;
    std::optional<int> IntProperty(const std::string& name) const override;
    bool SetIntProperty(const std::string& name, int value) override;

private:
    QPointer<QWidget> window_;
};

} // namespace morva
