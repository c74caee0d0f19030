#pragma once
// Centres a window on the primary screen, frame included.

class QWidget;

namespace morva {

// Moves the window so that its frame's centre is the screen's. A frame the window system has
// not drawn yet has no size to measure: the window is then centred once more when the frame
// first shows, unless the window is hidden before that.
void CentreOnScreen(QWidget& window);

} // namespace morva
