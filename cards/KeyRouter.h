#pragma once
// Keys pressed in the cards and in the history dialog: the main window's shortcuts work from
// there too. A key in such a window goes, in this order, to
//   1. the focused control, if it claims the key (Qt's ShortcutOverride: a card's view claims
//      its context menu's Ctrl+C and Ctrl+A, the history list claims Enter);
//   2. the window's own shortcuts (these windows have none);
//   3. the main window's command with that shortcut, unless a modal box is open: the command
//      runs if it is enabled, and takes the key even if it is not;
//   4. the focused control as an ordinary key press (a card's HtmlKeyDown).
//
// Why an application event filter rather than Qt's shortcut contexts: with the main window's
// commands as application shortcuts, a key that a card also binds (Ctrl+A) would be an
// ambiguous shortcut that Qt runs for neither, and a disabled command would let its key fall
// through to the focused control. The filter runs the four steps in their order instead. The
// main window itself is left alone: it sees its own keys first.

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QKeyEvent;
class QWidget;

namespace morva {

class TKeyRouter : public QObject {
    Q_OBJECT
public:
    TKeyRouter();
    ~TKeyRouter() override;

    void SetMainWindow(QWidget* mainWindow, QList<QAction*> commands);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* MainWindowCommand(QObject* watched, QKeyEvent* key);

    QPointer<QWidget> mainWindow_;
    QList<QPointer<QAction>> commands_;
    bool probing_ = false;
};

} // namespace morva
