#pragma once
// THtmlView: the article view of a card. Shows one article of the dictionary (dictionary
// text with its transcriptions in IPA93 font bytes) from its top, lets the user select text
// with the mouse and scroll with the keys and the wheel, and leaves everything else to the
// card: link clicks, key presses and the context menu's commands.

#include "ui/Program.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QTextBrowser>

#include <string_view>

class QMenu;

namespace morva {

inline constexpr const char* ArticleFontName = DisplayFontName;
inline constexpr int ArticleFontSize = 10; // points
inline constexpr int ArticleMargin = 5;

class THtmlView : public QTextBrowser {
    Q_OBJECT
public:
    explicit THtmlView(QWidget* parent = nullptr);

    // Replaces the document and shows the new one from its top. Without links, the links of
    // the article show as its plain text and cannot be followed.
    void LoadArticle(std::string_view html, bool links = true);
    // Selects the whole document; nothing happens when it is empty.
    void SelectAll();
    // The selection as plain text: lines end in "\n", the indentation cell's blanks are
    // plain blanks, and no paragraph or table marker is left. Empty with nothing selected.
    QString SelectedText() const;
    // The whole document as SelectedText gives it, with the document position of each of
    // its characters: what screen readers read is what the user copies.
    QString DocumentText(QList<int>* positions = nullptr) const;

    // The href of the link that Tab moved the focus to, or empty.
    QString FocusedLink() const;

    // The context menu. Its commands' shortcuts are the view's own: the view claims those
    // keys ahead of any other shortcut of the program and runs the commands itself.
    void SetPopupMenu(QMenu* menu);

signals:
    // A click on a link, with the link's href. Nothing else happens whatever handled says.
    void LinkClick(const QString& src);
    // Every key press that is not a context-menu shortcut, before the view uses it; a
    // receiver that accepts the event consumes the key.
    void KeyDown(QKeyEvent* event);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Nothing is loaded from outside the document: no images, no style sheets.
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QAction* PopupCommand(const QKeyEvent* event) const;
    static bool IsEnter(const QKeyEvent* event);
    static QString PlainText(const QString& documentText, QList<int>* positions = nullptr);
    void ApplyLinkColour();
    void ShowLoadedArticle();

    QMenu* popupMenu_ = nullptr;
    QString article_;
    QColor linkColour_;
    bool links_ = true;
};

} // namespace morva
