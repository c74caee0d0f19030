#pragma once
// A Qt top-level widget as the placement storage sees it. Its class name is the C++ class
// without namespace ("TMainForm"), its component name the object name ("MainForm"); the
// position mode is the widget's "Position" property (a TPosition number, Designed when unset).
// Bounds are the outer bounds, frame included. So are the size and the minimum size a window
// not yet shown has when this is made (its layout's): it comes up at that outer size unless a
// stored placement replaces it.

#include "placement/PlacementWindow.h"

#include <QEvent>
#include <QMargins>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

namespace morva {

class TQtPlacementWindow : public IPlacementWindow {
public:
    explicit TQtPlacementWindow(QWidget& window);
    ~TQtPlacementWindow() override;

    std::string ClassName() const override;
    std::string ComponentName() const override;
    TRect Bounds() const override;
    void SetBounds(const TRect& bounds) override;
    bool HasHandle() const override;
    bool WasShown() const override { return shown_; }
    bool PositionKnown() const override;
    std::vector<TRect> AvailableAreas() const override;
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
    class TWatcher;
    QMargins Frame() const;
    // Puts the frame at rect; until the window system has told the frame's size, the outer
    // size is kept to be made right once it has.
    void PlaceOuter(const TRect& rect);
    // The layout's minimum, once the frame is known, for the inside.
    void FitMinimum(const QMargins& frame);
    void Watch(QEvent::Type type);

    QPointer<QWidget> window_;
    std::unique_ptr<QObject> watcher_;
    bool shown_ = false;
    bool placed_ = false;
    std::optional<QSize> layoutSize_;
    std::optional<QSize> layoutMinimum_;
    std::optional<QSize> pendingOuterSize_;
};

} // namespace morva
