#include "ui/CommandKeys.h"

#include <QAction>

namespace morva {
namespace {

QKeyCombination Normalized(QKeyCombination combination)
{
    Qt::Key key = combination.key();
    if (key == Qt::Key_Enter)
        key = Qt::Key_Return;
    return QKeyCombination(combination.keyboardModifiers() & ~Qt::KeypadModifier, key);
}

} // namespace

QAction* CommandForKey(const QList<QAction*>& commands, QKeyCombination key)
{
    const QKeyCombination pressed = Normalized(key);
    for (QAction* command : commands)
        for (const QKeySequence& shortcut : command->shortcuts())
            if (shortcut.count() == 1 && Normalized(shortcut[0]) == pressed)
                return command;
    return nullptr;
}

} // namespace morva
