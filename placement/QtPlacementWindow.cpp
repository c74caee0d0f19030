#include "placement/QtPlacementWindow.h"

#include "platform/WindowSystem.h"

#include <QGuiApplication>
#include <QMetaProperty>
#include <QScreen>

namespace morva {
namespace {

constexpr const char* PositionProperty = "Position";
constexpr Qt::WindowStates RestoredStates = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

TRect ToRect(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

} // namespace

// Sees the window show, and the first moves and paints after it, when the frame's size
// becomes known.
class TQtPlacementWindow::TWatcher : public QObject {
public:
    explicit TWatcher(TQtPlacementWindow& owner) : owner_(owner) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        owner_.Watch(event->type());
        return false;
    }

private:
    TQtPlacementWindow& owner_;
};

TQtPlacementWindow::TQtPlacementWindow(QWidget& window)
    : window_(&window), watcher_(std::make_unique<TWatcher>(*this)), shown_(window.isVisible())
{
    if (!shown_ && window.testAttribute(Qt::WA_Resized))
        layoutSize_ = window.size();
    if (!shown_ && !window.minimumSize().isNull())
        layoutMinimum_ = window.minimumSize();
    window.installEventFilter(watcher_.get());
}

TQtPlacementWindow::~TQtPlacementWindow() = default;

void TQtPlacementWindow::Watch(QEvent::Type type)
{
    if (!window_)
        return;
    if (type == QEvent::Show && !shown_) {
        shown_ = true;
        // The layout's size is an outer size too: with nothing stored, a first run comes up
        // as a stored placement of the same size would.
        if (!placed_ && layoutSize_ && window_->size() == *layoutSize_)
            pendingOuterSize_ = layoutSize_;
    }
    if ((!pendingOuterSize_ && !layoutMinimum_) || !window_->isVisible())
        return;
    if (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize && type != QEvent::Paint
        && type != QEvent::WindowActivate)
        return;
    const QMargins frame = Frame();
    if (frame.isNull())
        return;
    FitMinimum(frame);
    // A maximised or minimised window keeps the size to be made right for its normal state.
    if (!pendingOuterSize_ || (window_->windowState() & RestoredStates))
        return;
    const QSize outer = *pendingOuterSize_;
    pendingOuterSize_.reset();
    const QPoint framePosition = window_->pos();
    window_->resize(outer.shrunkBy(frame));
    // A position the window system chose stays its choice.
    if (placed_)
        window_->move(framePosition);
}

void TQtPlacementWindow::FitMinimum(const QMargins& frame)
{
    if (!layoutMinimum_)
        return;
    window_->setMinimumSize(layoutMinimum_->shrunkBy(frame));
    layoutMinimum_.reset();
}

QMargins TQtPlacementWindow::Frame() const
{
    // Before the window system has made the window there is no frame to measure.
    if (!HasHandle())
        return {};
    const QRect outer = window_->frameGeometry();
    const QRect inner = window_->geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

void TQtPlacementWindow::PlaceOuter(const TRect& rect)
{
    placed_ = true;
    const QMargins frame = Frame();
    if (frame.isNull()) {
        pendingOuterSize_ = QSize(rect.Width, rect.Height);
    } else {
        FitMinimum(frame);
        pendingOuterSize_.reset();
    }
    // A window's position is its frame's; its size is what lies inside the frame.
    window_->resize(QSize(rect.Width, rect.Height).shrunkBy(frame));
    window_->move(rect.Left, rect.Top);
}

std::string TQtPlacementWindow::ClassName() const
{
    std::string name = window_->metaObject()->className();
    const std::size_t scope = name.rfind("::");
    return scope == std::string::npos ? name : name.substr(scope + 2);
}

std::string TQtPlacementWindow::ComponentName() const
{
    return window_->objectName().toStdString();
}

TRect TQtPlacementWindow::Bounds() const
{
    return ToRect(window_->geometry().marginsAdded(Frame()));
}

void TQtPlacementWindow::SetBounds(const TRect& bounds)
{
    PlaceOuter(bounds);
}

std::vector<TRect> TQtPlacementWindow::AvailableAreas() const
{
    std::vector<TRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(ToRect(screen->availableGeometry()));
    return areas;
}

bool TQtPlacementWindow::PositionKnown() const
{
    if (!WindowPositionsKnown())
        return false;
    // A compositor that frames X windows itself (weston) shows them where it likes and leaves
    // X the position the program asked for (0,0 unless it asked): known only where a window
    // manager has framed the window and so placed it.
    return !IsXwayland() || !Frame().isNull();
}

bool TQtPlacementWindow::HasHandle() const
{
    return window_->testAttribute(Qt::WA_WState_Created);
}

TRect TQtPlacementWindow::RestoredRect() const
{
    const QRect normal = window_->normalGeometry();
    return ToRect((normal.isValid() ? normal : window_->geometry()).marginsAdded(Frame()));
}

void TQtPlacementWindow::SetRestoredRect(const TRect& rect)
{
    // Qt keeps the restored rectangle of a maximised window as the geometry it had when
    // it was last in the normal state.
    const Qt::WindowStates states = window_->windowState();
    window_->setWindowState(states & ~RestoredStates);
    PlaceOuter(rect);
    window_->setWindowState(states);
}

TWindowState TQtPlacementWindow::WindowState() const
{
    const Qt::WindowStates states = window_->windowState();
    if (states & Qt::WindowMinimized)
        return TWindowState::Minimized;
    if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return TWindowState::Maximized;
    return TWindowState::Normal;
}

void TQtPlacementWindow::SetWindowState(TWindowState state)
{
    if (state == WindowState())
        return;
    Qt::WindowStates states = window_->windowState() & ~RestoredStates;
    if (state == TWindowState::Minimized)
        states |= Qt::WindowMinimized;
    else if (state == TWindowState::Maximized)
        states |= Qt::WindowMaximized;
    window_->setWindowState(states);
}

int TQtPlacementWindow::PixelsPerInch() const
{
    return window_->logicalDpiY();
}

int TQtPlacementWindow::ScreenPixelsPerInch() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : PixelsPerInch();
}

TPosition TQtPlacementWindow::Position() const
{
    const QVariant position = window_->property(PositionProperty);
    return position.isValid() ? static_cast<TPosition>(position.toInt()) : TPosition::Designed;
}

void TQtPlacementWindow::SetPosition(TPosition position)
{
    window_->setProperty(PositionProperty, static_cast<int>(position));
}

std::string TQtPlacementWindow::ActiveControl() const
{
    const QWidget* focused = window_->focusWidget();
    return focused ? focused->objectName().toStdString() : std::string();
}

void TQtPlacementWindow::SetActiveControl(const std::string& name)
{
    if (name.empty())
        return;
    if (auto* control = window_->findChild<QWidget*>(QString::fromStdString(name)))
        control->setFocus();
}

std::optional<int> TQtPlacementWindow::IntProperty(const std::string& name) const
{
    const QMetaObject* meta = window_->metaObject();
    const int index = meta->indexOfProperty(name.c_str());
    if (index < 0 || meta->property(index).metaType().id() != QMetaType::Int)
        return std::nullopt;
    return meta->property(index).read(window_).toInt();
}

bool TQtPlacementWindow::SetIntProperty(const std::string& name, int value)
{
    const QMetaObject* meta = window_->metaObject();
    const int index = meta->indexOfProperty(name.c_str());
    return index >= 0 && meta->property(index).metaType().id() == QMetaType::Int && meta->property(index).isWritable()
        && meta->property(index).write(window_, value);
}

} // namespace morva
