#pragma once
// What screen readers see of a card: a window, like the main window, and in it the article,
// a read-only document named by the card's caption whose text is exactly what copying the
// whole article gives (no paragraph, line or table markers of the layout). Offsets count
// characters of that text.

class QAccessibleInterface;
class QObject;
class QString;

namespace morva {

// The factory for Qt's accessibility; THtmlView installs it.
QAccessibleInterface* CardAccessibleFactory(const QString& className, QObject* object);

} // namespace morva
