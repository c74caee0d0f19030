#include "placement/CardPropStorage.h"
#include "placement/PlacementStream.h"
#include "placement/PropStorage.h"
#include "platform/FakeRegistry.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

namespace morva {

// Stand-ins for the program's windows, so the stream carries their class names.
class TMainForm : public QWidget {
    Q_OBJECT
};
class TWordViewForm : public QWidget {
    Q_OBJECT
};

namespace {

const std::string Line0 = "5450463009544D61696E466F726D084D61696E466F726D0648656967687403B101044C656674032B";
const std::string Line1 = "010D506978656C73506572496E6368026003546F70026A055769647468033601000000";

class PlacementWidgetTest : public testing::Test {
protected:
    std::vector<std::uint8_t> Stored(const std::string& section)
    {
        auto stream = manager_.ReadSection(section);
        return stream ? *stream : std::vector<std::uint8_t>{};
    }

    std::vector<std::uint8_t> StreamOf(const std::string& className, const std::string& name, QRect rect)
    {
        TStreamWriter writer;
        writer.WriteSignature();
        writer.WriteStr(className);
        writer.WriteStr(name);
        const std::pair<const char*, int> properties[] = {{"Height", rect.height()}, {"Left", rect.x()}, {"PixelsPerInch", 96},
                                                          {"Top", rect.y()}, {"Width", rect.width()}};
        for (const auto& [property, value] : properties) {
            writer.WriteStr(property);
            writer.WriteInteger(value);
        }
        for (int i = 0; i < 3; ++i)
            writer.WriteListEnd();
        return writer.Bytes();
    }

    FakeRegistry registry_;
    TRegPropStorageMan manager_{registry_};
    std::vector<std::string> reports_;
    TErrorReport report_ = [this](const std::exception& error) { reports_.push_back(error.what()); };
};

TEST_F(PlacementWidgetTest, AWindowTakesItsPlacementOnShowingAndStoresItOnClosing)
{
    auto key = registry_.OpenKey("\\Software\\Kovrak\\Morva\\MainWindow", true);
    key->WriteValue("Line0000000000", TRegValue::String(Line0));
    key->WriteValue("Line0000000001", TRegValue::String(Line1));

    TMainForm window;
    window.setObjectName("MainForm");
    auto storage = MakeWidgetPropStorage(window, manager_, "MainWindow", report_);
    storage->InstallHooks(window);

    window.show();
    // The stored bounds are the outer bounds: the frame lands where they say.
    EXPECT_EQ(window.frameGeometry(), QRect(299, 106, 310, 433));

    window.setGeometry(50, 60, 320, 240);
    window.close();
    EXPECT_EQ(Stored("MainWindow"), StreamOf("TMainForm", "MainForm", window.frameGeometry()));
    EXPECT_TRUE(storage->Saved());
    EXPECT_TRUE(reports_.empty());
}

TEST_F(PlacementWidgetTest, AMaximisedWindowKeepsItsNormalRectangle)
{
    TMainForm window;
    window.setObjectName("MainForm");
    auto storage = MakeWidgetPropStorage(window, manager_, "MainWindow", report_);
    window.setGeometry(120, 130, 340, 250);
    window.show();
    window.setWindowState(Qt::WindowMaximized);
    QCoreApplication::processEvents();
    ASSERT_TRUE(window.isMaximized());

    storage->SaveStoredProps();
    const QMargins frame(window.geometry().left() - window.frameGeometry().left(),
                         window.geometry().top() - window.frameGeometry().top(),
                         window.frameGeometry().right() - window.geometry().right(),
                         window.frameGeometry().bottom() - window.geometry().bottom());
    EXPECT_EQ(Stored("MainWindow"), StreamOf("TMainForm", "MainForm", QRect(120, 130, 340, 250).marginsAdded(frame)));

    // A window maximised before it shows gets the stored rectangle to return to.
    manager_.WriteSection("MainWindow", StreamOf("TMainForm", "MainForm", QRect(30, 40, 350, 260)));
    TMainForm next;
    next.setObjectName("MainForm");
    auto nextStorage = MakeWidgetPropStorage(next, manager_, "MainWindow", report_);
    nextStorage->InstallHooks(next);
    next.setWindowState(Qt::WindowMaximized);
    next.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(next.isMaximized());
    next.setWindowState(Qt::WindowNoState);
    QCoreApplication::processEvents();
    EXPECT_EQ(next.frameGeometry(), QRect(30, 40, 350, 260));
}

TEST_F(PlacementWidgetTest, TheLastCardClosedGivesEveryCardItsPlacement)
{
    TWordViewForm mainCard;
    mainCard.setObjectName("WordViewForm");
    auto mainStorage = MakeWidgetPropStorage(mainCard, manager_, "WordViewWindow", report_);
    mainStorage->InstallHooks(mainCard);
    TWordViewForm second;
    second.setObjectName("WordViewForm");
    auto secondStorage = MakeWidgetPropStorage(second, manager_, "WordViewWindow", report_);
    secondStorage->InstallHooks(second);

    mainCard.setGeometry(10, 10, 300, 200);
    mainCard.show();
    const QRect first = mainCard.frameGeometry();
    mainCard.close();
    second.show();
    EXPECT_EQ(second.frameGeometry(), first);

    second.setGeometry(400, 300, 250, 180);
    second.close();
    EXPECT_EQ(Stored("WordViewWindow"), StreamOf("TWordViewForm", "WordViewForm", second.frameGeometry()));

    // Shown again and again, a card stays where it was: it never drifts by its frame.
    mainCard.show();
    EXPECT_EQ(mainCard.frameGeometry(), second.frameGeometry());
}

TEST_F(PlacementWidgetTest, CardPlacementsShareTheCardSection)
{
    TWordViewForm card;
    card.setObjectName("WordViewForm");
    const TCardPlacementFactory factory = MakeCardPlacementFactory(manager_);
    auto placement = factory(card);
    card.show();
    card.setGeometry(70, 80, 260, 190);
    placement->SaveStoredProps();
    EXPECT_TRUE(placement->Saved());
    EXPECT_EQ(Stored("WordViewWindow"), StreamOf("TWordViewForm", "WordViewForm", card.frameGeometry()));

    TWordViewForm other;
    auto otherPlacement = factory(other);
    otherPlacement->LoadStoredProps();
    other.show();
    EXPECT_EQ(other.frameGeometry(), card.frameGeometry());
    EXPECT_FALSE(otherPlacement->Saved());
}

TEST_F(PlacementWidgetTest, AWindowThatNeverShowedNorTookAPlacementStoresNothing)
{
    manager_.WriteSection("WordViewWindow", StreamOf("TWordViewForm", "WordViewForm", QRect(30, 40, 350, 260)));
    const std::vector<std::uint8_t> before = Stored("WordViewWindow");
    {
        // A card left hidden by a link that led nowhere, destroyed at exit.
        TWordViewForm card;
        card.setObjectName("WordViewForm");
        auto placement = MakeCardPlacementFactory(manager_)(card);
        placement->SaveStoredProps();
        EXPECT_FALSE(placement->Saved());
    }
    TMainForm window;
    window.setObjectName("MainForm");
    auto storage = MakeWidgetPropStorage(window, manager_, "WordViewWindow", report_);
    storage->DestroyHook();
    EXPECT_EQ(Stored("WordViewWindow"), before);

    // Once it has taken the stored placement it stores its own, even unseen.
    storage->LoadStoredProps();
    window.resize(400, 300);
    storage->DestroyHook();
    EXPECT_EQ(Stored("WordViewWindow"), StreamOf("TMainForm", "MainForm", QRect(30, 40, 400, 300)));
}

} // namespace
} // namespace morva

#include "PlacementWidgetTest.moc"
