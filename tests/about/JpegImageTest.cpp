#include "resources/JpegImage.h"

#include <QBuffer>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QPixmap>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace morva {
namespace {

QByteArray ReadResource(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray EncodeWithQt(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return bytes;
}

// Four flat quadrants: red, green, blue and grey, big enough that JPEG keeps their colours.
QImage Quadrants()
{
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, y < 24 ? (x < 32 ? qRgb(220, 30, 30) : qRgb(30, 200, 40))
                                        : (x < 32 ? qRgb(30, 40, 210) : qRgb(128, 128, 128)));
    return image;
}

void ExpectNear(QRgb actual, QRgb expected)
{
    EXPECT_NEAR(qRed(actual), qRed(expected), 8);
    EXPECT_NEAR(qGreen(actual), qGreen(expected), 8);
    EXPECT_NEAR(qBlue(actual), qBlue(expected), 8);
}

TEST(JpegImage, DecodesColourAndGreyPictures)
{
    const QImage original = Quadrants();
    const QImage colour = DecodeJpeg(EncodeWithQt(original));
    ASSERT_EQ(colour.size(), original.size());
    for (QPoint p : {QPoint(8, 8), QPoint(56, 8), QPoint(8, 40), QPoint(56, 40)})
        ExpectNear(colour.pixel(p), original.pixel(p));

    const QImage grey = DecodeJpeg(EncodeWithQt(original.convertToFormat(QImage::Format_Grayscale8)));
    ASSERT_EQ(grey.size(), original.size());
    ExpectNear(grey.pixel(56, 40), qRgb(128, 128, 128));
    EXPECT_EQ(qRed(grey.pixel(8, 8)), qBlue(grey.pixel(8, 8)));
}

TEST(JpegImage, DecodesTheProgramsPictures)
{
    const QImage splash = DecodeJpeg(ReadResource(QStringLiteral(":/pictures/Splash.jpg")));
    EXPECT_EQ(splash.size(), QSize(473, 283));
    // The credits are black on white.
    const QImage credits = LoadJpeg(QStringLiteral(":/pictures/Credits.jpg"));
    ASSERT_EQ(credits.size(), QSize(350, 500));
    EXPECT_EQ(credits.pixel(0, 0), qRgb(255, 255, 255));
    int dark = 0;
    for (int x = 0; x < credits.width(); ++x)
        dark += qGray(credits.pixel(x, 30)) < 64;
    EXPECT_GT(dark, 20) << "the title row has black text";
}

TEST(JpegImage, DamagedDataGivesNoPicture)
{
    const QByteArray good = EncodeWithQt(Quadrants());
    QByteArray badHeader = good;
    badHeader[3] = '\x00'; // the first marker after SOI is no marker any more
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"not a JPEG", QByteArray("GIF89a plain text, no picture here")},
        {"start marker only", good.left(2)},
        {"header only", good.left(200)},
        {"truncated half way", good.left(good.size() / 2)},
        {"missing end", good.left(good.size() - 40)},
        {"broken marker", badHeader},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(DecodeJpeg(c.bytes).isNull()) << c.name;
    EXPECT_FALSE(DecodeJpeg(good).isNull()) << "the unchanged data still decodes afterwards";
}

TEST(JpegImage, LoadJpegNamesTheFileItCannotRead)
{
    try {
        LoadJpeg(QStringLiteral(":/pictures/Missing.jpg"));
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(":/pictures/Missing.jpg"), std::string::npos);
    }
    EXPECT_THROW(LoadJpeg(QStringLiteral(":/icons/Morva.svg")), std::runtime_error);
}

TEST(Resources, EveryCommandIconRendersAtBothSizes)
{
    const char* names[] = {
        "WordInfoAction", "CascadeCardsAction", "CloseTempCardsAction", "CardsHostoryAction",
        "StayOnTopAction", "AutorunChangeAction", "CallHelpAction", "CutToClipAction",
        "CopyToClipAction", "PasteFromClipAction", "SrcEnglishLangAction",
        "DestEnglishLangAction", "SrcUzbekLangAction", "DestUzbekLangAction",
        "SrcRussianLangAction", "DestRussianLangAction", "LangArrow", "Morva"};
    for (const char* name : names) {
        const QIcon icon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
        for (int size : {16, 32}) {
            const QImage image = icon.pixmap(size, size).toImage();
            // The arrow is not square: it keeps its shape inside the size asked for.
            ASSERT_FALSE(image.isNull()) << name;
            EXPECT_EQ(std::max(image.width(), image.height()), size) << name;
            int opaque = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    opaque += qAlpha(image.pixel(x, y)) > 128;
            EXPECT_GT(opaque, image.width() * image.height() / 8) << name << " at " << size;
        }
    }
    EXPECT_EQ(QImage(QStringLiteral(":/icons/Morva.png")).size(), QSize(256, 256));
}

// The tests' fontconfig file lists only the two fonts the build makes, so every test sees the
// program's required fonts installed and nothing of the user's.
TEST(Resources, TestsSeeExactlyTheBuildsTwoFonts)
{
    QStringList families = QFontDatabase::families();
    // fontconfig's generic names come along; they resolve to the two fonts.
    families.removeIf([](const QString& family) {
        return family == u"Sans Serif" || family == u"Serif" || family == u"Monospace";
    });
    families.sort();
    EXPECT_EQ(families.join(u'|').toStdString(), "Arial for KovrMorva|SILManuscriptIPA");
    QFont display(QStringLiteral("Arial for KovrMorva"));
    EXPECT_TRUE(QFontInfo(display).exactMatch());
    // The Uzbek letters of the dictionary's code page have glyphs.
    const QFontMetrics metrics(display);
    for (char16_t letter : {u'\u0492', u'\u049B', u'\u04B3', u'\u040E', u'\u045E'})
        EXPECT_TRUE(metrics.inFont(QChar(letter))) << int(letter);
}

} // namespace
} // namespace morva
