#include "cards/KeyRouter.h"

#include "ui/CommandKeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace morva {

namespace {

bool IsNonModalProgramWindow(const QWidget* window)
{
    const Qt::WindowType type = window->windowType();
    return (type == Qt::Window || type == Qt::Dialog) && !window->isModal();
}

} // namespace

TKeyRouter::TKeyRouter()
{
    qApp->installEventFilter(this);
}

TKeyRouter::~TKeyRouter()
{
    qApp->removeEventFilter(this);
}

void TKeyRouter::SetMainWindow(QWidget* mainWindow, QList<QAction*> commands)
{
    mainWindow_ = mainWindow;
    commands_.clear();
    for (QAction* command : commands)
        commands_.append(command);
}

bool TKeyRouter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress) || probing_)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    QAction* command = MainWindowCommand(watched, key);
    if (!command)
        return false;
    if (type == QEvent::ShortcutOverride) {
        // Keep Qt's own shortcuts out of it; the key press that follows runs the command.
        key->accept();
        return true;
    }
    if (command->isEnabled())
        command->trigger();
    return true;
}

QAction* TKeyRouter::MainWindowCommand(QObject* watched, QKeyEvent* key)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !mainWindow_ || commands_.isEmpty())
        return nullptr;
    QWidget* window = widget->window();
    if (window == mainWindow_ || !IsNonModalProgramWindow(window))
        return nullptr;
    if (!mainWindow_->isEnabled() || QApplication::activeModalWidget())
        return nullptr;

    QList<QAction*> commands;
    for (const QPointer<QAction>& command : commands_)
        if (command)
            commands.append(command);
    QAction* match = CommandForKey(commands, key->keyCombination());
    if (!match)
        return nullptr;

    // Step 1: a control that claims the key keeps it.
    QKeyEvent probe(QEvent::ShortcutOverride, key->key(), key->modifiers(), key->text());
    probe.ignore();
    probing_ = true;
    QCoreApplication::sendEvent(widget, &probe);
    probing_ = false;
    return probe.isAccepted() ? nullptr : match;
}

} // namespace morva
