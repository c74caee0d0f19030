// The placement of the program's own windows, made as the program makes them: the main
// window with its cards on fake platform services, offscreen, where windows have no frame.

#include "cards/CardManager.h"
#include "cards/HtmlView.h"
#include "cards/WordView.h"
#include "placement/PlacementStream.h"
#include "placement/RegPropStorageMan.h"
#include "tests/placement/StreamProperties.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/Repeated.h"

#include <QGuiApplication>
#include <QScreen>

namespace morva::test {
namespace {

const std::string MainWindowKey = "\\Software\\Kovrak\\Morva\\MainWindow";
const std::string CardKey = "\\Software\\Kovrak\\Morva\\WordViewWindow";
const std::string Line0 = "5450463009544D61696E466F726D084D61696E466F726D0648656967687403B101044C656674032B";
const std::string Line1 = "010D506978656C73506572496E6368026003546F70026A055769647468033601000000";

// A window's stream up to its properties' end, as hexadecimal text.
std::string StreamHead(const std::vector<std::pair<std::string, int>>& properties, const char* className = "TMainForm",
                       const char* component = "MainForm")
{
    return HexEncode(StreamUpToProperties(className, component, properties).Bytes());
}

// The whole stream: the properties' end, the child list's end and the terminator follow.
std::string StreamHex(const std::vector<std::pair<std::string, int>>& properties, const char* className = "TMainForm",
                      const char* component = "MainForm")
{
    return StreamHead(properties, className, component) + "000000";
}

class MainWindowPlacementTest : public ShellTest {
protected:
    MainWindowPlacementTest() { PrepareTestFolders(); }

    // Replaces whatever the key holds with these Line values.
    void StoreLines(const std::string& keyPath, const std::vector<std::string>& lines)
    {
        auto key = registry.OpenKey(keyPath, true);
        for (const std::string& name : key->ValueNames())
            key->DeleteValue(name);
        for (std::size_t i = 0; i < lines.size(); ++i)
            key->WriteValue(PlacementLineName(i), TRegValue::String(lines[i]));
    }

    std::vector<std::string> StoredLines(const std::string& keyPath)
    {
        std::vector<std::string> lines;
        if (auto key = registry.OpenKey(keyPath, false))
            for (const std::string& name : key->ValueNames())
                lines.push_back(name + "=" + key->ReadValue(name)->Text);
        return lines;
    }

    void CloseAndDestroy()
    {
        form->close();
        form.reset();
    }
};

TEST_F(MainWindowPlacementTest, TheMainWindowStoresTheWorkedExampleByteForByte)
{
    const std::vector<std::string> example = {"Line0000000000=" + Line0, "Line0000000001=" + Line1};

    // A first run: the user puts the window there and closes the program.
    Create();
    form->setGeometry(299, 106, 310, 433);
    CloseAndDestroy();
    EXPECT_EQ(StoredLines(MainWindowKey), example);

    // The next run comes up there and stores it unchanged.
    Create();
    EXPECT_EQ(form->frameGeometry(), QRect(299, 106, 310, 433));
    CloseAndDestroy();
    EXPECT_EQ(StoredLines(MainWindowKey), example);
}

TEST_F(MainWindowPlacementTest, DamagedPlacementsBringTheMainWindowUpOnScreen)
{
    const std::string textStart = "object MainForm: TMainForm\r\n  Left = 100\r\n";
    struct TCase {
        const char* Name;
        std::vector<std::string> Lines;
    };
    const TCase cases[] = {
        {"deep lists in text", {textStart + "  X = " + Repeated("(", 60000) + Repeated(")", 60000) + "\r\nend"}},
        {"deep objects in text", {textStart + Repeated("object A: TA\r\n", 60000) + Repeated("end\r\n", 60001)}},
        // A property "Data" holding nested lists.
        {"deep binary lists",
         {StreamHead({{"Left", 100}}) + "0444617461" + Repeated("01", 300000) + Repeated("00", 300000) + "000000"}},
        // Children "A: TA" each inside the one before.
        {"deep binary children",
         {StreamHead({{"Left", 100}}) + "00" + Repeated("025441014100", 500000) + Repeated("00", 500002)}},
        {"huge bounds", {StreamHex({{"Height", 2000000000}, {"Left", 2000000000}, {"Top", 2000000000}, {"Width", 2000000000}})}},
        {"one pixel per inch",
         {StreamHex({{"Height", 433}, {"Left", 299}, {"PixelsPerInch", 1}, {"Top", 106}, {"Width", 310}})}},
        {"far right and down", {StreamHex({{"Left", 30000}, {"Top", 30000}})}},
        {"far left and up", {StreamHex({{"Left", -5000}, {"Top", -5000}})}},
        {"negative size", {StreamHex({{"Height", -400}, {"Width", -300}})}},
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const TCase& test : cases) {
        StoreLines(MainWindowKey, test.Lines);
        Create();
        ASSERT_TRUE(form->isVisible()) << test.Name;
        EXPECT_TRUE(screen.contains(form->frameGeometry())) << test.Name << ": " << form->frameGeometry().x() << ","
                                                            << form->frameGeometry().y() << " "
                                                            << form->frameGeometry().width() << "x"
                                                            << form->frameGeometry().height();
        EXPECT_TRUE(messages.Shown.empty()) << test.Name;
        CloseAndDestroy();
    }
}

TEST_F(MainWindowPlacementTest, ARefusedStartLeavesTheStoredPlacementAsItWas)
{
    const std::string cardStream = StreamHex({{"Height", 300}, {"Left", 50}, {"PixelsPerInch", 96}, {"Top", 60}, {"Width", 280}},
                                             "TWordViewForm", "WordViewForm");
    const std::vector<std::string> cardLines = {cardStream.substr(0, 80), cardStream.substr(80, 80), cardStream.substr(160)};
    struct TCase {
        const char* Name;
        std::uint16_t LangId;
        QStringList Families;
    };
    const TCase cases[] = {
        {"language", 0x0443, system.Families},
        {"font", LangRussian, {"DejaVu Sans"}},
    };
    StoreLines(MainWindowKey, {Line0, Line1});
    StoreLines(CardKey, cardLines);
    const std::vector<std::string> mainBefore = StoredLines(MainWindowKey);
    const std::vector<std::string> cardBefore = StoredLines(CardKey);
    for (const TCase& test : cases) {
        system.LangId = test.LangId;
        system.Families = test.Families;
        Create();
        ASSERT_TRUE(form->TerminateRequested()) << test.Name;
        form.reset();
        EXPECT_EQ(StoredLines(MainWindowKey), mainBefore) << test.Name;
        EXPECT_EQ(StoredLines(CardKey), cardBefore) << test.Name;
    }
}

TEST_F(MainWindowPlacementTest, ALinkThatFailedLeavesTheStoredCardPlacementAsItWas)
{
    Create();
    TWordViewForm& mainCard = form->Cards()->WordViewForm();
    form->Cards()->ShowWordCard(*form->Dictionary(), form->Dictionary()->Pair(), 0);
    mainCard.move(40, 50);
    mainCard.close();
    const std::vector<std::string> before = StoredLines(CardKey);
    ASSERT_FALSE(before.empty());

    // The link leads outside the list: an error box, and a card that never shows.
    emit Part<THtmlView>(mainCard, "Html")->LinkClick(QStringLiteral("999"));
    EXPECT_EQ(messages.Shown.size(), 1u);
    Part<QAction>(*form, "CloseTempCardsAction")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(StoredLines(CardKey), before);

    emit Part<THtmlView>(mainCard, "Html")->LinkClick(QStringLiteral("999"));
    CloseAndDestroy();
    EXPECT_EQ(StoredLines(CardKey), before);
}

} // namespace
} // namespace morva::test
