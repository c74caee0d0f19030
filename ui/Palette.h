#pragma once
// Colours and icons that stay readable whatever palette the desktop gives: light palettes keep
// the program's own look, dark ones get lighter links and icon outlines.

#include <QColor>
#include <QIcon>
#include <QPalette>
#include <QString>

namespace morva {

// The contrast that text must keep against its background (WCAG 2, level AA).
inline constexpr double ReadableContrast = 4.5;

// The WCAG 2 contrast ratio of two colours, from 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);

// The colour of an article's links on the palette's text background: the article's blue
// where it reads, otherwise the palette's own link colour, otherwise the blue lightened.
QColor ArticleLinkColour(const QPalette& palette);

// The outline colour of the command icons on the palette's window background.
QColor IconOutlineColour(const QPalette& palette);

// An SVG icon of the resources with its outline in IconOutlineColour. Where the palette
// leaves the outline as drawn, this is the icon file itself.
QIcon PaletteIcon(const QString& resource, const QPalette& palette);

} // namespace morva
