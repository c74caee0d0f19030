#include "cards/HtmlView.h"

#include "cards/CardAccessible.h"
#include "text/ArticleText.h"
#include "ui/CommandKeys.h"
#include "ui/Palette.h"

#include <QAccessible>
#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <vector>

namespace morva {

namespace {

// Visited links keep the colour of unvisited ones; links are not underlined.
QString ArticleStyleSheet(const QColor& link)
{
    return QStringLiteral("a:link { color: %1; text-decoration: none; }"
                          "pre { font-family: \"Courier New\"; }")
        .arg(link.name(QColor::HexRgb));
}

// The frame markers that QTextDocument puts around a table and before each of its cells.
constexpr char16_t BeginningOfFrame = 0xFDD0;
constexpr char16_t EndOfFrame = 0xFDD1;

// Takes the link targets out of the document, and what the links' markup and style sheet
// added to their look, so a link shows as its text would without them.
void DisableLinks(QTextDocument& document)
{
    struct Link {
        int Start, End;
        QTextCharFormat Format;
    };
    std::vector<Link> links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().anchorHref().isEmpty())
                links.push_back({fragment.position(), fragment.position() + fragment.length(), fragment.charFormat()});
        }
    // Only formats change, so the positions taken above stay right.
    for (Link& link : links) {
        for (int property : {QTextFormat::AnchorHref, QTextFormat::TextToolTip, QTextFormat::ForegroundBrush,
                             QTextFormat::TextUnderlineStyle, QTextFormat::FontUnderline, QTextFormat::FontOverline,
                             QTextFormat::FontStrikeOut})
            link.Format.clearProperty(property);
        QTextCursor cursor(&document);
        cursor.setPosition(link.Start);
        cursor.setPosition(link.End, QTextCursor::KeepAnchor);
        cursor.setCharFormat(link.Format);
    }
}

} // namespace

THtmlView::THtmlView(QWidget* parent)
    : QTextBrowser(parent)
{
    // Installing it again is harmless: Qt keeps one entry per factory.
    QAccessible::installFactory(CardAccessibleFactory);
    setOpenLinks(false);
    setOpenExternalLinks(false);
    // Tab and Shift+Tab move through the links, Enter follows the one in focus.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);

    ApplyLinkColour();
    document()->setDefaultFont(QFont(ArticleFontName, ArticleFontSize));
    document()->setDocumentMargin(ArticleMargin);

    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        if (links_)
            emit LinkClick(link.toString());
    });
}

void THtmlView::LoadArticle(std::string_view html, bool links)
{
    links_ = links;
    article_ = QString::fromStdU16String(ArticleToWide(html));
    ShowLoadedArticle();
}

void THtmlView::ShowLoadedArticle()
{
    setHtml(article_);
    if (!links_)
        DisableLinks(*document());
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void THtmlView::ApplyLinkColour()
{
    const QColor link = ArticleLinkColour(palette());
    QPalette colours = palette();
    colours.setColor(QPalette::Link, link);
    colours.setColor(QPalette::LinkVisited, link);
    linkColour_ = link;
    setPalette(colours);
    document()->setDefaultStyleSheet(ArticleStyleSheet(link));
}

QString THtmlView::FocusedLink() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return {};
    QTextCursor first(document());
    first.setPosition(cursor.selectionStart() + 1);
    QTextCursor last(document());
    last.setPosition(cursor.selectionEnd());
    const QTextCharFormat start = first.charFormat();
    if (!start.isAnchor() || !last.charFormat().isAnchor() || last.charFormat().anchorHref() != start.anchorHref())
        return {};
    return start.anchorHref();
}

bool THtmlView::IsEnter(const QKeyEvent* event)
{
    const int key = event->key();
    return (key == Qt::Key_Return || key == Qt::Key_Enter)
        && !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

void THtmlView::SelectAll()
{
    if (!document()->isEmpty())
        selectAll();
}

QString THtmlView::SelectedText() const
{
    return PlainText(textCursor().selectedText());
}

QString THtmlView::PlainText(const QString& documentText, QList<int>* positions)
{
    QString plain;
    plain.reserve(documentText.size());
    for (qsizetype at = 0; at < documentText.size(); ++at) {
        const QChar c = documentText[at];
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case EndOfFrame:
            plain += u'\n';
            break;
        case BeginningOfFrame:
            // The cells of an article's table are its indentation and the indented text:
            // they stay on one line.
            continue;
        case QChar::Nbsp:
            plain += u' ';
            break;
        default:
            plain += c;
        }
        if (positions)
            positions->append(static_cast<int>(at));
    }
    return plain;
}

QString THtmlView::DocumentText(QList<int>* positions) const
{
    QTextCursor all(document());
    all.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    return PlainText(all.selectedText(), positions);
}

void THtmlView::SetPopupMenu(QMenu* menu)
{
    popupMenu_ = menu;
}

QAction* THtmlView::PopupCommand(const QKeyEvent* event) const
{
    return popupMenu_ ? CommandForKey(popupMenu_->actions(), event->keyCombination()) : nullptr;
}

bool THtmlView::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // Claim the context menu's keys, so that no other shortcut of the same keys (the
        // main window's Ctrl+A, say) takes them while the view has the focus.
        auto* key = static_cast<QKeyEvent*>(event);
        // Enter on a link in focus follows it instead of opening the main window's word.
        if (PopupCommand(key) || (IsEnter(key) && !FocusedLink().isEmpty())) {
            key->accept();
            return true;
        }
    }
    return QTextBrowser::event(event);
}

void THtmlView::keyPressEvent(QKeyEvent* event)
{
    if (QAction* command = PopupCommand(event)) {
        command->trigger();
        return;
    }
    event->ignore();
    emit KeyDown(event);
    if (event->isAccepted())
        return;
    event->accept();
    // Followed here, so a link is followed once and exactly as a click follows it.
    if (const QString link = IsEnter(event) ? FocusedLink() : QString(); !link.isEmpty()) {
        emit LinkClick(link);
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

void THtmlView::changeEvent(QEvent* event)
{
    QTextBrowser::changeEvent(event);
    // A new palette (a dark theme, say) needs links that read on its background. Our own
    // palette change, which sets the link colour, comes back here too: that one is left be.
    if (event->type() != QEvent::PaletteChange || ArticleLinkColour(palette()) == linkColour_)
        return;
    ApplyLinkColour();
    if (!article_.isEmpty())
        ShowLoadedArticle();
}

void THtmlView::contextMenuEvent(QContextMenuEvent* event)
{
    if (popupMenu_)
        popupMenu_->exec(event->globalPos());
}

QVariant THtmlView::loadResource(int, const QUrl&)
{
    return {};
}

} // namespace morva
