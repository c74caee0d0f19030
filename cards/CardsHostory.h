#pragma once
// TCardsHostoryForm: every card opened since start-up, newest first. Choosing an entry
// (double click, or Enter in the list) emits CardSelected with its caption and article; the
// stored articles have their links disabled, so a reopened card cannot be followed further.

#include <QDialog>
#include <QPointer>

#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace morva {

// Cuts every opening tag "<a ...>" down to "<a>": the link text stays, its target goes. An
// opening tag without its ">" loses everything after its "<a". Case-sensitive: "<A " stays.
std::string DisableLinks(std::string html);

class TCardsHostoryForm : public QDialog {
    Q_OBJECT
public:
    TCardsHostoryForm();

    // Records a card at the top and selects it. All three texts are dictionary text.
    void AddCard(const std::string& headword, const std::string& caption, const std::string& articleHtml);

    // Shows the dialog without making it modal, raised and active.
    void ShowHistory();
    // The window the dialog is grouped with, kept off the taskbar.
    void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }

    QListWidget& ListBox() { return *listBox_; }
    int Count() const { return static_cast<int>(captions_.size()); }

    void ListBoxDblClick();
    void OKButtonClick();

signals:
    // Caption and article HTML of the chosen entry, dictionary text.
    void CardSelected(const std::string& caption, const std::string& articleHtml);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateParts();

    QListWidget* listBox_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPointer<QWidget> mainWindow_;
    std::vector<std::string> captions_;
    std::vector<std::string> articles_;
    bool shownBefore_ = false;
};

} // namespace morva
