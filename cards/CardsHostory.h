#pragma once
// TCardsHostoryForm: every card opened since start-up, newest first. Choosing an entry
// (double click, or Enter in the list) emits CardSelected with its card, which the main card
// shows with its links disabled, so a reopened card cannot be followed further.

#include "cards/Card.h"

#include <QDialog>
#include <QPointer>

class QListView;
class QPushButton;

namespace morva {

class TCardHistoryModel;

class TCardsHostoryForm : public QDialog {
    Q_OBJECT
public:
    TCardsHostoryForm();

    // Records a card at the top and selects it.
    void AddCard(const Card& card);

    // Shows the dialog without making it modal, raised and active.
    void ShowHistory();
    // The window the dialog is grouped with, kept off the taskbar.
    void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }

    // The cards recorded.
    int Count() const;

signals:
    void CardSelected(const Card& card);

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void ListBoxDblClick();

private:
    void CreateParts();
    void OKButtonClick();

    // The parts, under their object names; tests find them by those names.

    TCardHistoryModel* cards_ = nullptr;
    QListView* listBox_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPointer<QWidget> mainWindow_;
    bool shownBefore_ = false;
};

} // namespace morva
