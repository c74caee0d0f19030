#include "shell/SelectionWatch.h"

#include "platform/Selection.h"

#include <QTimer>

namespace morva {

TSelectionWatch::TSelectionWatch(IPrimarySelection& selection, IDesktopPointer& pointer, TShow show,
                                 std::chrono::milliseconds pause, QObject* parent)
    : QObject(parent), selection_(selection), pointer_(pointer), show_(std::move(show)), pauseTimer_(new QTimer(this))
{
    pauseTimer_->setSingleShot(true);
    pauseTimer_->setInterval(pause);
    connect(pauseTimer_, &QTimer::timeout, this, &TSelectionWatch::PauseTimerTimer);
}

TSelectionWatch::~TSelectionWatch()
{
    selection_.Watch({});
}

bool TSelectionWatch::IsAvailable() const
{
    return selection_.IsAvailable();
}

void TSelectionWatch::SetWatching(bool on, bool onlyWithCtrl)
{
    onlyWithCtrl_ = onlyWithCtrl;
    pauseTimer_->stop();
    ctrlSeen_ = false;
    if (on)
        selection_.Watch([this] { SelectionChanged(); });
    else
        selection_.Watch({});
}

void TSelectionWatch::SelectionChanged()
{
    ctrlSeen_ = ctrlSeen_ || pointer_.State().CtrlHeld;
    pauseTimer_->start();
}

void TSelectionWatch::PauseTimerTimer()
{
    const TPointerState state = pointer_.State();
    // Still dragging: the selection is not made yet.
    if (state.ButtonDown) {
        ctrlSeen_ = ctrlSeen_ || state.CtrlHeld;
        pauseTimer_->start();
        return;
    }
    const bool ctrl = ctrlSeen_ || state.CtrlHeld;
    ctrlSeen_ = false;
    if (onlyWithCtrl_ && !ctrl)
        return;
    const QString text = selection_.Text();
    if (!text.trimmed().isEmpty())
        show_(text, state.Position);
}

} // namespace morva
