#pragma once
// The watch on other applications' selections: after the user has highlighted text and
// paused (browsers change the selection as the mouse moves), the text goes to be shown near
// the pointer. Off, it watches nothing.

#include <QObject>
#include <QPoint>
#include <QString>

#include <chrono>
#include <functional>

class QTimer;

namespace morva {

class IDesktopPointer;
class IPrimarySelection;

class TSelectionWatch : public QObject {
    Q_OBJECT
public:
    using TShow = std::function<void(const QString& text, QPoint pointer)>;

    TSelectionWatch(IPrimarySelection& selection, IDesktopPointer& pointer, TShow show,
                    std::chrono::milliseconds pause = std::chrono::milliseconds(600), QObject* parent = nullptr);
    ~TSelectionWatch() override;

    bool IsAvailable() const;
    // onlyWithCtrl: only selections made while Ctrl is held count.
    void SetWatching(bool on, bool onlyWithCtrl);

private:
    void SelectionChanged();
    void PauseTimerTimer();

    IPrimarySelection& selection_;
    IDesktopPointer& pointer_;
    TShow show_;
    QTimer* pauseTimer_;
    bool onlyWithCtrl_ = false;
    // Ctrl was held at some moment of the selection now being made.
    bool ctrlSeen_ = false;
};

} // namespace morva
