#include "ui/Palette.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace morva {

namespace {

// The outline every icon of the program is drawn with.
constexpr const char* DrawnOutline = "#26334d";
const QColor ArticleBlue(0x00, 0x00, 0xff);

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

bool Reads(const QColor& colour, const QColor& background)
{
    return ContrastRatio(colour, background) >= ReadableContrast;
}

// The colour moved toward white (or black) in small steps until it reads on the background.
QColor Readable(const QColor& colour, const QColor& background)
{
    const QColor end = RelativeLuminance(background) < 0.5 ? QColor(Qt::white) : QColor(Qt::black);
    for (int step = 1; step <= 20; ++step) {
        const double t = step / 20.0;
        const QColor mixed = QColor::fromRgbF(
            static_cast<float>(colour.redF() + (end.redF() - colour.redF()) * t),
            static_cast<float>(colour.greenF() + (end.greenF() - colour.greenF()) * t),
            static_cast<float>(colour.blueF() + (end.blueF() - colour.blueF()) * t));
        if (Reads(mixed, background))
            return mixed;
    }
    return end;
}

// The icon rendered from its SVG text at a few scales of its own size, so both bar sizes and
// high-density screens get sharp pixels.
QIcon RenderedIcon(const QByteArray& svg)
{
    QIcon icon;
    for (const double scale : {0.5, 0.75, 1.0, 1.5, 2.0, 3.0}) {
        QByteArray data = svg;
        QBuffer buffer(&data);
        QImageReader reader(&buffer, "svg");
        const QSize size = reader.size();
        if (!size.isValid())
            return {};
        reader.setScaledSize(size * scale);
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ArticleLinkColour(const QPalette& palette)
{
    const QColor background = palette.color(QPalette::Base);
    if (Reads(ArticleBlue, background))
        return ArticleBlue;
    const QColor own = palette.color(QPalette::Link);
    if (Reads(own, background))
        return own;
    return Readable(ArticleBlue, background);
}

QColor IconOutlineColour(const QPalette& palette)
{
    const QColor background = palette.color(QPalette::Window);
    const QColor drawn(QString::fromLatin1(DrawnOutline));
    if (Reads(drawn, background))
        return drawn;
    const QColor text = palette.color(QPalette::WindowText);
    if (Reads(text, background))
        return text;
    return Readable(drawn, background);
}

QIcon PaletteIcon(const QString& resource, const QPalette& palette)
{
    const QColor outline = IconOutlineColour(palette);
    if (outline == QColor(QString::fromLatin1(DrawnOutline)))
        return QIcon(resource);
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return QIcon(resource);
    QByteArray svg = file.readAll();
    svg.replace(DrawnOutline, outline.name(QColor::HexRgb).toLatin1());
    const QIcon icon = RenderedIcon(svg);
    return icon.isNull() ? QIcon(resource) : icon;
}

} // namespace morva
