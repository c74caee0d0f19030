#include "cards/CardAccessible.h"

#include "cards/HtmlView.h"
#include "cards/WordView.h"

#include <QAccessibleWidget>
#include <QScrollBar>
#include <QTextCursor>

#include <algorithm>

namespace morva {

namespace {

class TArticleAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TArticleAccessible(THtmlView* view)
        : QAccessibleWidget(view, QAccessible::Document)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override
    {
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty())
            text = View()->window()->windowTitle();
        return text;
    }

    // The scroll bars and the viewport are the view's own business.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        const QTextCursor cursor = View()->textCursor();
        if (selectionIndex != 0 || !cursor.hasSelection())
            return;
        const QList<int> positions = Positions();
        *startOffset = Offset(positions, cursor.selectionStart());
        *endOffset = Offset(positions, cursor.selectionEnd());
    }

    int selectionCount() const override { return View()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { Select(startOffset, endOffset); }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex != 0)
            return;
        QTextCursor cursor = View()->textCursor();
        cursor.clearSelection();
        View()->setTextCursor(cursor);
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            Select(startOffset, endOffset);
    }

    int cursorPosition() const override { return Offset(Positions(), View()->textCursor().position()); }
    void setCursorPosition(int position) override { Select(position, position); }

    QString text(int startOffset, int endOffset) const override
    {
        const QString all = View()->DocumentText();
        startOffset = std::clamp(startOffset, 0, static_cast<int>(all.size()));
        endOffset = std::clamp(endOffset, startOffset, static_cast<int>(all.size()));
        return all.mid(startOffset, endOffset - startOffset);
    }

    int characterCount() const override { return static_cast<int>(View()->DocumentText().size()); }

    QRect characterRect(int offset) const override
    {
        const QList<int> positions = Positions();
        if (offset < 0 || offset >= positions.size())
            return {};
        QTextCursor cursor(View()->document());
        cursor.setPosition(positions[offset]);
        const QRect before = View()->cursorRect(cursor);
        cursor.movePosition(QTextCursor::NextCharacter);
        const QRect after = View()->cursorRect(cursor);
        QRect rect = before;
        if (after.top() == before.top() && after.left() > before.left())
            rect.setRight(after.left());
        return QRect(View()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
    }

    int offsetAtPoint(const QPoint& point) const override
    {
        const QPoint local = View()->viewport()->mapFromGlobal(point);
        if (!View()->viewport()->rect().contains(local))
            return -1;
        return Offset(Positions(), View()->cursorForPosition(local).position());
    }

    void scrollToSubstring(int startIndex, int) override
    {
        QTextCursor cursor(View()->document());
        cursor.setPosition(Position(Positions(), startIndex));
        const QRect rect = View()->cursorRect(cursor);
        if (View()->viewport()->rect().contains(rect))
            return;
        QScrollBar* bar = View()->verticalScrollBar();
        bar->setValue(bar->value() + rect.top());
    }

    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = offset;
        *endOffset = offset;
        return {};
    }

private:
    THtmlView* View() const { return static_cast<THtmlView*>(widget()); }

    // The document position of every character of the text, and one more for its end.
    QList<int> Positions() const
    {
        QList<int> positions;
        View()->DocumentText(&positions);
        positions.append(positions.isEmpty() ? 0 : positions.last() + 1);
        return positions;
    }

    // The text offset of a document position: markers that the text leaves out count for
    // the character that follows them.
    static int Offset(const QList<int>& positions, int position)
    {
        return static_cast<int>(std::lower_bound(positions.begin(), positions.end(), position) - positions.begin());
    }

    static int Position(const QList<int>& positions, int offset)
    {
        return positions[std::clamp(offset, 0, static_cast<int>(positions.size()) - 1)];
    }

    void Select(int startOffset, int endOffset)
    {
        const QList<int> positions = Positions();
        QTextCursor cursor(View()->document());
        cursor.setPosition(Position(positions, startOffset));
        cursor.setPosition(Position(positions, endOffset), QTextCursor::KeepAnchor);
        View()->setTextCursor(cursor);
    }
};

} // namespace

QAccessibleInterface* CardAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(THtmlView::staticMetaObject.className())) {
        if (auto* view = qobject_cast<THtmlView*>(object))
            return new TArticleAccessible(view);
    }
    // A plain widget would be an unnamed "filler" to readers.
    if (className == QLatin1String(TWordViewForm::staticMetaObject.className())) {
        if (auto* card = qobject_cast<TWordViewForm*>(object))
            return new QAccessibleWidget(card, QAccessible::Window);
    }
    return nullptr;
}

} // namespace morva
