#include "about/About.h"
#include "tests/support/Part.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace morva {
namespace {

using test::Part;

TSystemTime Date(int year, int month, int day)
{
    TSystemTime date;
    date.Year = static_cast<std::uint16_t>(year);
    date.Month = static_cast<std::uint16_t>(month);
    date.Day = static_cast<std::uint16_t>(day);
    return date;
}

// Runs ShowAboutBox and hands the open box to `whileOpen`, which must close it.
void WithOpenAboutBox(const TSystemTime& date, const std::function<void(TAboutForm&)>& whileOpen)
{
    bool handled = false;
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<TAboutForm*>(QApplication::activeModalWidget());
        if (!box || handled)
            return;
        handled = true;
        whileOpen(*box);
    });
    poll->start();
    ShowAboutBox(date);
    delete poll;
    EXPECT_TRUE(handled) << "the box never showed";
}

// Lets the scroll timer run until it has ticked at least twice (or five seconds have passed).
void WaitForTicks(TAboutForm& box)
{
    for (int i = 0; i < 500 && box.ScrollPos() < -88; ++i)
        QTest::qWait(10);
}

TEST(AboutBox, DateLineNamesTheMonthInUzbek)
{
    const struct {
        TSystemTime date;
        const char* line;
    } cases[] = {
        {Date(2004, 1, 1), "Ma'lumotlar bazasi 2004 yil 1 yanvarda yangilangan"},
        {Date(2005, 6, 14), "Ma'lumotlar bazasi 2005 yil 14 iyunda yangilangan"},
        {Date(2026, 12, 31), "Ma'lumotlar bazasi 2026 yil 31 dekabrda yangilangan"},
    };
    for (const auto& c : cases) {
        WithOpenAboutBox(c.date, [&](TAboutForm& box) {
            EXPECT_EQ(Part<QLabel>(box, "Label3")->text().toStdString(), c.line);
            box.reject();
        });
    }
    EXPECT_EQ(FormatDataDate(QStringLiteral("%0:d.%2:s."), Date(2005, 0, 3)), QStringLiteral("2005.."))
        << "a month out of range gives no name rather than a stray read";
}

// The box shows picture rows top .. top + 104; rows outside the picture are white.
void ExpectBoxShowsRows(TAboutForm& box, int top)
{
    const QImage shown = Part<QWidget>(box, "AboutPB")->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(350, 105));
    for (int y = 0; y < shown.height(); ++y) {
        const int row = top + y;
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb expected = row >= 0 && row < box.Image().height() ? box.Image().pixel(x, row)
                                                                       : qRgb(255, 255, 255);
            if (shown.pixel(x, y) != expected) {
                ADD_FAILURE() << "scroll " << top << ": box row " << y << " column " << x
                              << " is not picture row " << row;
                return;
            }
        }
    }
}

TEST(AboutBox, ScrollsOneRowPerTickAndStartsAgainBelowTheBox)
{
    TAboutForm box(Date(2005, 6, 14));
    EXPECT_EQ(box.ScrollPos(), -90);
    EXPECT_EQ(box.Image().size(), QSize(350, 500));

    std::vector<int> drawn;
    for (int tick = 0; tick < 593; ++tick) {
        QMetaObject::invokeMethod(&box, "ScrollTimerTimer");
        drawn.push_back(box.ScrollPos());
        if (box.ScrollPos() == -89 || box.ScrollPos() == 0 || box.ScrollPos() == 420
            || box.ScrollPos() == 500 || (box.ScrollPos() == -100 && tick > 0))
            ExpectBoxShowsRows(box, box.ScrollPos());
    }
    std::vector<int> expected;
    for (int pos = -89; pos <= 500; ++pos)
        expected.push_back(pos);
    expected.insert(expected.end(), {-100, -99, -98});
    EXPECT_EQ(drawn, expected);
}

TEST(AboutBox, TimerRunsOnlyWhileShown)
{
    TAboutForm box(Date(2004, 1, 1));
    EXPECT_FALSE(Part<QTimer>(box, "ScrollTimer")->isActive());
    EXPECT_EQ(Part<QTimer>(box, "ScrollTimer")->interval(), 40);
    box.show();
    EXPECT_TRUE(Part<QTimer>(box, "ScrollTimer")->isActive());
    WaitForTicks(box);
    EXPECT_GT(box.ScrollPos(), -89);
}

TEST(AboutBox, EscEnterAndOkCloseItAndEveryOpeningStartsAfresh)
{
    const struct {
        const char* name;
        std::function<void(TAboutForm&)> close;
    } closers[] = {
        {"Esc", [](TAboutForm& box) { QTest::keyClick(&box, Qt::Key_Escape); }},
        {"Enter", [](TAboutForm& box) { QTest::keyClick(&box, Qt::Key_Return); }},
        {"OK", [](TAboutForm& box) { QTest::mouseClick(Part<QPushButton>(box, "OKButton"), Qt::LeftButton); }},
    };
    for (const auto& closer : closers) {
        QPointer<TAboutForm> opened;
        WithOpenAboutBox(Date(2004, 1, 1), [&](TAboutForm& box) {
            opened = &box;
            EXPECT_LT(box.ScrollPos(), -60) << closer.name << ": the scroll starts from its start";
            EXPECT_EQ(box.windowTitle(), QStringLiteral("Kovrak Morva tizimi haqida "));
            WaitForTicks(box);
            EXPECT_GT(box.ScrollPos(), -89) << closer.name;
            closer.close(box);
        });
        EXPECT_TRUE(opened.isNull()) << closer.name << ": the box is destroyed once closed";
    }
}

TEST(AboutBox, CentredOnTheScreen)
{
    TAboutForm box(Date(2004, 1, 1));
    box.show();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_LE(std::abs(box.frameGeometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(box.frameGeometry().center().y() - screen.center().y()), 1);
    EXPECT_EQ(box.size(), QSize(366, 284));
}

} // namespace
} // namespace morva
