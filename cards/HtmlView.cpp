#include "cards/HtmlView.h"

#include "text/ArticleText.h"
#include "ui/CommandKeys.h"

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

// Visited links keep the blue of unvisited ones; links are not underlined.
constexpr const char* ArticleStyleSheet =
    "a:link { color: #0000ff; text-decoration: none; }"
    "pre { font-family: \"Courier New\"; }";

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
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);

    QPalette colours = palette();
    colours.setColor(QPalette::Link, Qt::blue);
    colours.setColor(QPalette::LinkVisited, Qt::blue);
    setPalette(colours);

    document()->setDefaultFont(QFont(ArticleFontName, ArticleFontSize));
    document()->setDefaultStyleSheet(ArticleStyleSheet);
    document()->setDocumentMargin(ArticleMargin);

    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        if (links_)
            emit LinkClick(link.toString());
    });
}

void THtmlView::LoadArticle(std::string_view html, bool links)
{
    links_ = links;
    setHtml(QString::fromStdU16String(ArticleToWide(html)));
    if (!links)
        DisableLinks(*document());
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void THtmlView::SelectAll()
{
    if (!document()->isEmpty())
        selectAll();
}

QString THtmlView::SelectedText() const
{
    const QString selected = textCursor().selectedText();
    QString plain;
    plain.reserve(selected.size());
    for (const QChar c : selected) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case EndOfFrame:
            plain += u'\n';
            break;
        case BeginningOfFrame:
            // The cells of an article's table are its indentation and the indented text:
            // they stay on one line.
            break;
        case QChar::Nbsp:
            plain += u' ';
            break;
        default:
            plain += c;
        }
    }
    return plain;
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
        if (PopupCommand(key)) {
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
    QTextBrowser::keyPressEvent(event);
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
