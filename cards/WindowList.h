#pragma once
// The program's top-level windows, the one list of them: the card commands walk it in its
// order, and the main window hides and shows the program's windows by it. A new window
// goes to the end, a window that is activated (takes the keyboard focus) moves to the front.
// Every window of the program has an integer Tag, read as the Qt property "Tag"; a window
// that does not declare one has Tag 0. Temporary cards have Tag 1.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace morva {

// What a window's Tag says about it.
enum TWindowTag : int {
    PermanentWindowTag = 0,
    TemporaryCardTag = 1,
};

int WindowTag(const QWidget* window);

class TWindowList : public QObject {
    Q_OBJECT
public:
    // Watches the whole application for windows that are shown or activated.
    TWindowList();
    ~TWindowList() override;

    // Called by a window right after it is created; windows that are not added this way
    // join the list when they are first shown.
    void Add(QWidget* window);
    // The live windows, front first: a copy, so a walk may close and destroy windows.
    QList<QWidget*> Windows() const;
    // The live windows in the order they were added.
    QList<QWidget*> CreationOrder() const;
    // A window the program shows and activates is at the front at once, whether or when the
    // window system reports the activation.
    void MoveToFront(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Destroyed windows leave null pointers behind; every read skips them.
    QList<QPointer<QWidget>> order_;
    QList<QPointer<QWidget>> created_;
};

} // namespace morva
