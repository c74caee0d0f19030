#pragma once
// Which command a key press runs: one rule for the main window, the keys it routes from the
// other windows and a card's context menu.

#include <QKeyCombination>
#include <QList>

class QAction;

namespace morva {

// The first of the commands that has the key as one of its shortcuts, or nullptr. The numeric
// pad's Enter is Enter, and the pad makes no other difference.
QAction* CommandForKey(const QList<QAction*>& commands, QKeyCombination key);

} // namespace morva
