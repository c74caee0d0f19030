#pragma once
// TSelectionCardForm: the small card that shows the article of a word highlighted in another
// application, next to the pointer. It never takes the keyboard from that application; Esc,
// a click elsewhere or moving the pointer away closes it.

#include "cards/Card.h"
#include "engine/Language.h"

#include <QWidget>

#include <string>

class QTimer;

namespace morva {

class IDesktopPointer;
class THtmlView;

class TSelectionCardForm : public QWidget {
    Q_OBJECT
public:
    explicit TSelectionCardForm(IDesktopPointer& pointer, QWidget* parent = nullptr);

    // Shows the article under the caption next to the pointer, inside the screen, without
    // activating the card.
    void ShowNear(const Card& card, bool uzbekLatin, QPoint pointer);
    LanguagePair Pair() const { return pair_; }

signals:
    // A cross-reference clicked in the card: the entry of the same pair, to be opened as a
    // card of its own.
    void EntryClicked(LanguagePair pair, int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CloseTimerTimer();
    void HtmlHotSpotClick(const QString& src);

    IDesktopPointer& pointer_;
    THtmlView* html_;
    QTimer* closeTimer_;
    LanguagePair pair_;
};

} // namespace morva
