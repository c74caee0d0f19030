#include "placement/PropStorage.h"
#include "placement/PlacementInterceptor.h"
#include "placement/PlacementStream.h"
#include "platform/FakeRegistry.h"
#include "tests/placement/FakePlacementWindow.h"
#include "tests/placement/StreamProperties.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

using test::FakePlacementWindow;

const std::string MainWindowKey = "\\Software\\Kovrak\\Morva\\MainWindow";
const std::string Line0 = "5450463009544D61696E466F726D084D61696E466F726D0648656967687403B101044C656674032B";
const std::string Line1 = "010D506978656C73506572496E6368026003546F70026A055769647468033601000000";

class PropStorageTest : public testing::Test {
protected:
    PropStorageTest()
    {
        auto window = std::make_unique<FakePlacementWindow>();
        window_ = window.get();
        storage_ = std::make_unique<TPropStorage>(std::move(window), &manager_, "MainWindow",
                                                  [this](const std::exception& error) { reports_.push_back(error.what()); });
    }

    void StoreLines(const std::string& keyPath, const std::vector<std::string>& lines)
    {
        auto key = registry_.OpenKey(keyPath, true);
        for (std::size_t i = 0; i < lines.size(); ++i)
            key->WriteValue(PlacementLineName(i), TRegValue::String(lines[i]));
    }

    std::vector<std::string> StoredLines(const std::string& keyPath = MainWindowKey)
    {
        std::vector<std::string> lines;
        auto key = registry_.OpenKey(keyPath, false);
        if (!key)
            return lines;
        for (const std::string& name : key->ValueNames())
            lines.push_back(name + "=" + key->ReadValue(name)->Text);
        return lines;
    }

public:
    // A stream of the main window with the given properties.
    static std::string StreamHex(const test::TStreamProperties& properties)
    {
        return test::StreamHex("TMainForm", "MainForm", properties);
    }

protected:
    FakeRegistry registry_;
    TRegPropStorageMan manager_{registry_};
    FakePlacementWindow* window_;
    std::unique_ptr<TPropStorage> storage_;
    std::vector<std::string> reports_;
};

TEST_F(PropStorageTest, TheWorkedExampleGivesExactlyItsTwoLines)
{
    window_->BoundsRect = {299, 106, 310, 433};
    storage_->SaveStoredProps();
    EXPECT_EQ(StoredLines(), (std::vector<std::string>{"Line0000000000=" + Line0, "Line0000000001=" + Line1}));
    EXPECT_EQ(HexDecode(Line0 + Line1).size(), 75u);
}

TEST_F(PropStorageTest, TheWorkedExampleReadsBackExactly)
{
    StoreLines(MainWindowKey, {Line0, Line1});
    storage_->LoadStoredProps();
    EXPECT_EQ(window_->BoundsRect, (TRect{299, 106, 310, 433}));
    EXPECT_EQ(window_->State, TWindowState::Normal);
}

TEST_F(PropStorageTest, PixelsPerInchScaleTheRectangleRoundedToNearest)
{
    StoreLines(MainWindowKey, {Line0, Line1});
    window_->ScreenPpi = 120;
    storage_->LoadStoredProps();
    // 299 * 1.25 = 373.75, 106 * 1.25 = 132.5, 310 * 1.25 = 387.5, 433 * 1.25 = 541.25
    EXPECT_EQ(window_->BoundsRect, (TRect{374, 133, 388, 541}));

    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(5, 120, 96), 6);
    EXPECT_EQ(MulDiv(1000000000, 2, 4), 500000000);
    EXPECT_EQ(MulDiv(2000000000, 96, 1), INT32_MAX);
    EXPECT_EQ(MulDiv(-2000000000, 96, 1), INT32_MIN);
}

TEST_F(PropStorageTest, AnUnreachableRectangleIsBroughtBackOntoAScreenAndOneThatFitsIsKept)
{
    // Two screens side by side; the first has a panel along its top.
    window_->Screens = {{0, 30, 1280, 770}, {1280, 0, 1024, 768}};
    struct TCase {
        const char* Name;
        std::vector<std::pair<std::string, int>> Stored;
        TRect Expected;
    };
    const TCase cases[] = {
        {"fits", {{"Left", 299}, {"Top", 106}, {"Width", 310}, {"Height", 433}}, {299, 106, 310, 433}},
        {"on the second screen", {{"Left", 1500}, {"Top", 10}, {"Width", 310}, {"Height", 433}}, {1500, 10, 310, 433}},
        {"partly off with its title bar in reach", {{"Left", -250}, {"Top", 600}, {"Width", 310}, {"Height", 433}},
         {-250, 600, 310, 433}},
        // On no screen at all: back onto the first one.
        {"far right and down", {{"Left", 30000}, {"Top", 30000}, {"Width", 310}, {"Height", 433}}, {970, 367, 310, 433}},
        {"far left and up", {{"Left", -5000}, {"Top", -5000}, {"Width", 310}, {"Height", 433}}, {0, 30, 310, 433}},
        {"title bar under the panel", {{"Left", 100}, {"Top", 10}, {"Width", 310}, {"Height", 433}}, {100, 30, 310, 433}},
        {"huge", {{"Left", 2000000000}, {"Top", 2000000000}, {"Width", 2000000000}, {"Height", 2000000000}},
         {0, 30, 1280, 770}},
        {"one pixel per inch", {{"Left", 299}, {"Top", 106}, {"Width", 310}, {"Height", 433}, {"PixelsPerInch", 1}},
         {0, 30, 1280, 770}},
        {"too wide, mostly on the second screen", {{"Left", 1400}, {"Top", 100}, {"Width", 2000}, {"Height", 433}},
         {1280, 100, 1024, 433}},
        {"taller than any screen", {{"Left", 10}, {"Top", 40}, {"Width", 310}, {"Height", 5000}}, {10, 30, 310, 770}},
    };
    for (const TCase& test : cases) {
        window_->BoundsRect = {10, 20, 300, 200};
        StoreLines(MainWindowKey, {StreamHex(test.Stored)});
        storage_->LoadStoredProps();
        EXPECT_EQ(window_->BoundsRect, test.Expected) << test.Name;
    }
}

TEST_F(PropStorageTest, AStoredPixelsPerInchOfZeroLeavesTheRectangleUnscaled)
{
    StoreLines(MainWindowKey, {StreamHex({{"Left", 50}, {"PixelsPerInch", 0}, {"Width", 400}})});
    storage_->LoadStoredProps();
    EXPECT_EQ(window_->BoundsRect, (TRect{50, 20, 400, 200}));
}

TEST_F(PropStorageTest, AMaximisedWindowStoresAndTakesItsNormalRectangle)
{
    window_->State = TWindowState::Maximized;
    window_->BoundsRect = {0, 0, 1024, 768};
    window_->Restored = {299, 106, 310, 433};
    storage_->SaveStoredProps();
    EXPECT_EQ(StoredLines(), (std::vector<std::string>{"Line0000000000=" + Line0, "Line0000000001=" + Line1}));

    // Without a window handle there is no restored rectangle yet: the bounds count.
    window_->Handle = false;
    storage_->SaveStoredProps();
    EXPECT_NE(StoredLines()[0], "Line0000000000=" + Line0);

    window_->Handle = true;
    StoreLines(MainWindowKey, {StreamHex({{"Left", 5}, {"Top", 6}, {"Width", 700}, {"Height", 500}})});
    storage_->LoadStoredProps();
    EXPECT_EQ(window_->State, TWindowState::Maximized);
    EXPECT_EQ(window_->Restored, (TRect{5, 6, 700, 500}));
    EXPECT_EQ(window_->BoundsRect, (TRect{0, 0, 1024, 768}));
}

TEST_F(PropStorageTest, ReadingStopsAtTheFirstMissingLine)
{
    StoreLines(MainWindowKey, {Line0, Line1});
    registry_.OpenKey(MainWindowKey, false)->WriteValue("Line0000000003", TRegValue::String("FFFF"));
    registry_.OpenKey(MainWindowKey, false)->WriteValue("Other", TRegValue::String("x"));
    EXPECT_EQ(manager_.ReadSection("MainWindow"), HexDecode(Line0 + Line1));

    // A missing first line means nothing is stored.
    registry_.OpenKey(MainWindowKey, false)->DeleteValue("Line0000000000");
    EXPECT_FALSE(manager_.ReadSection("MainWindow"));
    storage_->LoadStoredProps();
    EXPECT_EQ(window_->BoundsRect, (TRect{10, 20, 300, 200}));
}

TEST_F(PropStorageTest, AShorterStreamDeletesTheSurplusLines)
{
    manager_.WriteSection("MainWindow", std::vector<std::uint8_t>(170, 0xAB));
    registry_.OpenKey(MainWindowKey, false)->WriteValue("Line0000000006", TRegValue::String("beyond a gap"));
    ASSERT_EQ(StoredLines().size(), 6u);
    EXPECT_EQ(StoredLines()[4], "Line0000000004=ABABABABABABABABABAB");

    window_->BoundsRect = {299, 106, 310, 433};
    storage_->SaveStoredProps();
    EXPECT_EQ(StoredLines(), (std::vector<std::string>{"Line0000000000=" + Line0, "Line0000000001=" + Line1,
                                                       "Line0000000006=beyond a gap"}));
}

TEST_F(PropStorageTest, TheOlderFormIsReadOnceAppliedAndDeleted)
{
    const std::vector<std::uint8_t> stream = HexDecode(StreamHex({{"Left", 77}, {"Top", 88}}));
    registry_.OpenKey("\\Software\\Kovrak\\Morva", true)->WriteValue("MainWindow", TRegValue::Binary(stream));
    StoreLines(MainWindowKey, {StreamHex({{"Left", 1}, {"Top", 2}})});

    storage_->LoadStoredProps();
    EXPECT_EQ(window_->BoundsRect, (TRect{77, 88, 300, 200}));
    EXPECT_FALSE(registry_.OpenKey("\\Software\\Kovrak\\Morva", false)->HasValue("MainWindow"));

    storage_->LoadStoredProps();
    EXPECT_EQ(window_->BoundsRect, (TRect{1, 2, 300, 200}));
}

TEST_F(PropStorageTest, TheOlderFormMayBeTextAndGoesEvenWhenItIsDamaged)
{
    auto product = registry_.OpenKey("\\Software\\Kovrak\\Morva", true);
    product->WriteValue("MainWindow", TRegValue::String("object MainForm: TMainForm\r\n  Left = 40\r\n  Width = 500\r\nend\r\n"));
    storage_->LoadStoredProps();
    EXPECT_EQ(window_->BoundsRect, (TRect{40, 20, 500, 200}));
    EXPECT_FALSE(product->HasValue("MainWindow"));

    product->WriteValue("MainWindow", TRegValue::String("garbage"));
    EXPECT_THROW(storage_->LoadStoredProps(), EReadError);
    EXPECT_FALSE(product->HasValue("MainWindow"));
}

TEST_F(PropStorageTest, TextLinesAreReadToo)
{
    StoreLines(MainWindowKey, {"object MainForm: TMainForm", "  Top = 33", "  Height = 444", "end"});
    storage_->LoadStoredProps();
    EXPECT_EQ(window_->BoundsRect, (TRect{10, 33, 300, 444}));
}

TEST_F(PropStorageTest, APartialListChangesOnlyItsPropertiesButScalesAll)
{
    window_->ScreenPpi = 120;
    StoreLines(MainWindowKey, {StreamHex({{"Left", 80}, {"PixelsPerInch", 96}})});
    storage_->LoadStoredProps();
    EXPECT_EQ(window_->BoundsRect, (TRect{100, 25, 375, 250}));
}

TEST_F(PropStorageTest, DamagedDataLeavesTheWindowAlone)
{
    const std::string good = StreamHex({{"Left", 1}, {"Top", 2}, {"Width", 3}, {"Height", 4}});
    const std::vector<std::pair<std::vector<std::string>, const char*>> damaged = {
        {{"ZZZZ"}, "Invalid stream format."},
        {{"5450463100"}, "Invalid stream format."},
        {{good.substr(0, good.size() - 20)}, "Stream read error"},
        {{good.substr(0, 60) + "30" + good.substr(62)}, nullptr},
        {{"54504630"}, "Stream read error"},
    };
    for (const auto& [lines, message] : damaged) {
        registry_.OpenKey(MainWindowKey, true)->DeleteValue("Line0000000000");
        StoreLines(MainWindowKey, lines);
        try {
            storage_->LoadStoredProps();
            FAIL() << lines[0];
        } catch (const EReadError& error) {
            if (message) {
                EXPECT_STREQ(error.what(), message) << lines[0];
            }
        }
        EXPECT_EQ(window_->BoundsRect, (TRect{10, 20, 300, 200})) << lines[0];

        storage_->ShowHook();
        EXPECT_TRUE(reports_.empty());
    }
}

TEST_F(PropStorageTest, OneUnusableValueDoesNotStopTheOthers)
{
    TStreamWriter writer;
    writer.WriteSignature();
    writer.WriteStr("TMainForm");
    writer.WriteStr("MainForm");
    writer.WriteStr("Caption");           // not a property here: skipped
    writer.WriteRaw(std::vector<std::uint8_t>{0x06, 0x02, 'h', 'i'});
    writer.WriteStr("Left");              // not an integer: skipped
    writer.WriteIdent("wsNormal");
    writer.WriteStr("Top");
    writer.WriteInteger(55);
    writer.WriteStr("Tag");               // the window's own property
    writer.WriteInteger(9);
    writer.WriteStr("WindowState");
    writer.WriteIdent("wsMaximized");
    writer.WriteListEnd();
    writer.WriteListEnd();
    writer.WriteListEnd();
    StoreLines(MainWindowKey, {HexEncode(writer.Bytes())});
    window_->Properties["Tag"] = 0;

    storage_->LoadStoredProps();
    EXPECT_EQ(window_->Properties["Tag"], 9);
    EXPECT_EQ(window_->State, TWindowState::Maximized);
    EXPECT_EQ(window_->Restored, (TRect{10, 55, 300, 200}));
}

TEST_F(PropStorageTest, ACentredWindowTakesTheDesignedPositionOnlyWhenAPositionWasStored)
{
    window_->Pos = TPosition::ScreenCenter;
    StoreLines(MainWindowKey, {StreamHex({{"Width", 500}})});
    storage_->LoadStoredProps();
    EXPECT_EQ(window_->Pos, TPosition::ScreenCenter);

    StoreLines(MainWindowKey, {StreamHex({{"Top", 5}})});
    storage_->LoadStoredProps();
    EXPECT_EQ(window_->Pos, TPosition::Designed);
}

TEST_F(PropStorageTest, TheSavedFlagFollowsLoadsAndSuccessfulSaves)
{
    EXPECT_FALSE(storage_->Saved());
    storage_->SaveStoredProps();
    EXPECT_TRUE(storage_->Saved());
    storage_->LoadStoredProps();
    EXPECT_FALSE(storage_->Saved());

    registry_.FailWrites(true);
    EXPECT_THROW(storage_->SaveStoredProps(), ERegistryError);
    EXPECT_FALSE(storage_->Saved());
}

TEST_F(PropStorageTest, HooksSaveOnCloseAndOnDestructionWhenNotSavedAndReportFailures)
{
    window_->BoundsRect = {299, 106, 310, 433};
    storage_->DestroyHook();
    EXPECT_EQ(StoredLines().size(), 2u);

    // Saved since the last load: destruction writes nothing more.
    const int stores = registry_.StoreCount();
    storage_->DestroyHook();
    EXPECT_EQ(registry_.StoreCount(), stores);

    // Closing saves unless the window may not close, is inactive or has no handle.
    storage_->CloseQueryHook(false);
    storage_->Active = false;
    storage_->CloseQueryHook(true);
    storage_->Active = true;
    window_->Handle = false;
    storage_->CloseQueryHook(true);
    EXPECT_EQ(registry_.StoreCount(), stores);
    window_->Handle = true;

    registry_.FailWrites(true);
    storage_->CloseQueryHook(true);
    storage_->LoadStoredProps();
    storage_->DestroyHook();
    EXPECT_EQ(reports_, (std::vector<std::string>{"Failed to set data for 'Line0000000000'",
                                                  "Failed to set data for 'Line0000000000'"}));
}

TEST_F(PropStorageTest, TheShowHookTakesTheStoredPlacementEveryTime)
{
    StoreLines(MainWindowKey, {Line0, Line1});
    storage_->ShowHook();
    EXPECT_EQ(window_->BoundsRect, (TRect{299, 106, 310, 433}));
    window_->BoundsRect = {1, 1, 1, 1};
    storage_->ShowHook();
    EXPECT_EQ(window_->BoundsRect, (TRect{299, 106, 310, 433}));

    storage_->Active = false;
    window_->BoundsRect = {1, 1, 1, 1};
    storage_->ShowHook();
    EXPECT_EQ(window_->BoundsRect, (TRect{1, 1, 1, 1}));
}

// Where the window system tells no position (Wayland), the position stored by a session that
// could place windows survives a save; the size is the window's own.
struct KeptPositionCase {
    const char* Name;
    std::vector<std::string> StoredLines; // empty: nothing stored
    int WindowPpi;
    std::vector<std::pair<std::string, int>> Saved;
};

class KeptPositionTest : public PropStorageTest, public testing::WithParamInterface<KeptPositionCase> {
protected:
    std::vector<std::pair<std::string, int>> SavedProperties()
    {
        const auto stream = manager_.ReadSection("MainWindow");
        return stream ? test::StreamProperties(*stream) : test::TStreamProperties{};
    }
};

TEST_P(KeptPositionTest, SavingKeepsTheStoredPosition)
{
    const KeptPositionCase& c = GetParam();
    StoreLines(MainWindowKey, c.StoredLines);
    window_->KnownPosition = false;
    // Where a Wayland window system puts a window's frame: nothing to do with the screen.
    window_->BoundsRect = window_->Restored = {-3, -30, 400, 500};
    window_->WindowPpi = c.WindowPpi;
    storage_->SaveStoredProps();
    EXPECT_EQ(SavedProperties(), c.Saved);
}

INSTANTIATE_TEST_SUITE_P(
    PropStorage, KeptPositionTest,
    testing::Values(
        KeptPositionCase{"StoredPositionStays", {Line0, Line1}, 96,
                         {{"Height", 500}, {"Left", 299}, {"PixelsPerInch", 96}, {"Top", 106}, {"Width", 400}}},
        // The position is kept at its own pixels per inch, the size brought to it.
        KeptPositionCase{"StoredAtOtherPixelsPerInch",
                         {PropStorageTest::StreamHex({{"Left", 600}, {"Top", 250}, {"PixelsPerInch", 120}})}, 96,
                         {{"Height", 625}, {"Left", 600}, {"PixelsPerInch", 120}, {"Top", 250}, {"Width", 500}}},
        KeptPositionCase{"OnlyLeftStored", {PropStorageTest::StreamHex({{"Left", 77}})}, 96,
                         {{"Height", 500}, {"Left", 77}, {"PixelsPerInch", 96}, {"Width", 400}}},
        KeptPositionCase{"NothingStored", {}, 96, {{"Height", 500}, {"PixelsPerInch", 96}, {"Width", 400}}},
        KeptPositionCase{"DamagedStored", {"5450463009"}, 96,
                         {{"Height", 500}, {"PixelsPerInch", 96}, {"Width", 400}}}),
    [](const testing::TestParamInfo<KeptPositionCase>& info) { return std::string(info.param.Name); });

TEST_F(PropStorageTest, AStreamWithoutPositionLeavesTheWindowWhereItIs)
{
    window_->KnownPosition = false;
    window_->BoundsRect = {-3, -30, 400, 500};
    storage_->SaveStoredProps();

    // The next session can place windows: the window keeps its own place and takes the size.
    auto window = std::make_unique<FakePlacementWindow>();
    FakePlacementWindow& next = *window;
    next.BoundsRect = {150, 90, 300, 200};
    TPropStorage nextStorage(std::move(window), &manager_, "MainWindow");
    nextStorage.LoadStoredProps();
    EXPECT_EQ(next.BoundsRect, (TRect{150, 90, 400, 500}));
}

} // namespace
} // namespace morva
