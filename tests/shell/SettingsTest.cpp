// Settings, the autorun entry and the autorun switch, against the in-memory registry.

#include "platform/FakeRegistry.h"
#include "platform/FileRegistry.h"
#include "shell/Autorun.h"
#include "shell/Settings.h"
#include "tests/support/TestFolders.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>

namespace morva::test {
namespace {

void Store(FakeRegistry& registry, const char* name, const TRegValue& value)
{
    registry.OpenKey(SettingsKeyPath, true)->WriteValue(name, value);
}

TEST(SettingsTest, AFirstRunHasTheDefaultsAndMakesTheProgramKey)
{
    FakeRegistry registry;
    const TShellSettings settings = ReadSettings(registry);
    EXPECT_TRUE(settings.EditBarVisible);
    EXPECT_TRUE(settings.LangBarVisible);
    EXPECT_TRUE(settings.ServiceBarVisible);
    EXPECT_FALSE(settings.StayOnTop);
    EXPECT_EQ(settings.SrcLang, English);
    EXPECT_EQ(settings.DestLang, Uzbek);
    EXPECT_TRUE(settings.UzbekLatinInput);
    EXPECT_FALSE(settings.UzbekLatinCards);
    EXPECT_TRUE(settings.WordFormsHint);
    EXPECT_TRUE(settings.SpellingHint);
    EXPECT_TRUE(settings.ArticleSearch);
    EXPECT_TRUE(registry.KeyExists(ProgramKeyPath));
    EXPECT_FALSE(registry.KeyExists(SettingsKeyPath));
}

TEST(SettingsTest, ValuesAndTheirValidation)
{
    struct TCase {
        const char* name;
        const char* text;
        bool editBar;
        Language src, dest;
    };
    const TCase cases[] = {
        {"EditBarVisible", "5", true, English, Uzbek},
        {"EditBarVisible", "0", false, English, Uzbek},
        {"EditBarVisible", "-1", true, English, Uzbek},
        {"EditBarVisible", "zero", true, English, Uzbek}, // text that does not parse: default
        {"SrcLang", "2", true, Russian, Uzbek},
        {"SrcLang", "7", true, English, Uzbek},           // out of range: the default pair
        {"SrcLang", "x", true, English, Uzbek},
        {"SrcLang", "1", true, English, Uzbek},           // equal to the target: the default pair
        {"DestLang", "2", true, English, Russian},
        {"DestLang", "0", true, English, Uzbek},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " = " << c.text);
        FakeRegistry registry;
        Store(registry, c.name, TRegValue::String(c.text));
        const TShellSettings settings = ReadSettings(registry);
        EXPECT_EQ(settings.EditBarVisible, c.editBar);
        EXPECT_EQ(settings.SrcLang, c.src);
        EXPECT_EQ(settings.DestLang, c.dest);
    }

    FakeRegistry registry;
    Store(registry, "SrcLang", TRegValue::String("2"));
    Store(registry, "DestLang", TRegValue::String("2"));
    EXPECT_EQ(ReadSettings(registry).SrcLang, English);
    EXPECT_EQ(ReadSettings(registry).DestLang, Uzbek);
    Store(registry, "SrcLang", TRegValue::ExpandString("1"));
    Store(registry, "DestLang", TRegValue::String("2"));
    EXPECT_EQ(ReadSettings(registry).SrcLang, Uzbek);
    EXPECT_EQ(ReadSettings(registry).DestLang, Russian);
}

TEST(SettingsTest, AValueOfAnotherTypeEndsTheReading)
{
    FakeRegistry registry;
    Store(registry, "EditBarVisible", TRegValue::String("0"));
    Store(registry, "LangBarVisible", TRegValue::DWord(0));
    Store(registry, "ServiceBarVisible", TRegValue::String("0"));
    Store(registry, "StayOnTop", TRegValue::String("1"));
    Store(registry, "SrcLang", TRegValue::String("2"));
    Store(registry, "DestLang", TRegValue::String("1"));
    const TShellSettings settings = ReadSettings(registry);
    EXPECT_FALSE(settings.EditBarVisible);
    EXPECT_TRUE(settings.LangBarVisible);
    EXPECT_TRUE(settings.ServiceBarVisible);
    EXPECT_FALSE(settings.StayOnTop);
    EXPECT_EQ(settings.SrcLang, English);
    EXPECT_EQ(settings.DestLang, Uzbek);
}

TEST(SettingsTest, SavedAsStringsAndReadBack)
{
    FakeRegistry registry;
    const TShellSettings saved{false, true, false, true, Uzbek, Russian, false, true, true, false, false, false, true, false};
    SaveSettings(registry, saved);
    auto key = registry.OpenKey(SettingsKeyPath, false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ValueNames(), (std::vector<std::string>{"EditBarVisible", "LangBarVisible", "ServiceBarVisible",
                                                           "StayOnTop", "SrcLang", "DestLang",
                                                           "UzbekLatinInput", "UzbekLatinCards",
                                                           "WatchSelection", "WatchSelectionCtrl", "DesktopKey", "WordFormsHint",
                                                           "SpellingHint", "ArticleSearch"}));
    EXPECT_EQ(key->ReadValue("EditBarVisible"), TRegValue::String("0"));
    EXPECT_EQ(key->ReadValue("StayOnTop"), TRegValue::String("1"));
    EXPECT_EQ(key->ReadValue("DestLang"), TRegValue::String("2"));

    const TShellSettings read = ReadSettings(registry);
    EXPECT_EQ(read.EditBarVisible, saved.EditBarVisible);
    EXPECT_EQ(read.LangBarVisible, saved.LangBarVisible);
    EXPECT_EQ(read.ServiceBarVisible, saved.ServiceBarVisible);
    EXPECT_EQ(read.StayOnTop, saved.StayOnTop);
    EXPECT_EQ(read.SrcLang, saved.SrcLang);
    EXPECT_EQ(read.DestLang, saved.DestLang);
    EXPECT_EQ(read.UzbekLatinInput, saved.UzbekLatinInput);
    EXPECT_EQ(read.UzbekLatinCards, saved.UzbekLatinCards);
    EXPECT_EQ(read.WatchSelection, saved.WatchSelection);
    EXPECT_EQ(read.WatchSelectionCtrl, saved.WatchSelectionCtrl);
    EXPECT_EQ(read.DesktopKey, saved.DesktopKey);
    // Off at first.
    EXPECT_FALSE(ReadSettings(*std::make_unique<FakeRegistry>()).WatchSelection);
    EXPECT_EQ(read.WordFormsHint, saved.WordFormsHint);
    EXPECT_EQ(read.SpellingHint, saved.SpellingHint);
    EXPECT_EQ(read.ArticleSearch, saved.ArticleSearch);
}

TEST(SettingsTest, TheLatinUzbekSwitches)
{
    struct TCase {
        const char* input;
        const char* cards;
        bool inputOn, cardsOn;
    };
    const TCase cases[] = {
        {"0", "1", false, true},
        {"1", "0", true, false},
        {"x", "", true, false},    // text that does not parse: the defaults
        {"-3", "2", true, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.input << " " << c.cards);
        FakeRegistry registry;
        Store(registry, "UzbekLatinInput", TRegValue::String(c.input));
        Store(registry, "UzbekLatinCards", TRegValue::String(c.cards));
        const TShellSettings settings = ReadSettings(registry);
        EXPECT_EQ(settings.UzbekLatinInput, c.inputOn);
        EXPECT_EQ(settings.UzbekLatinCards, c.cardsOn);
    }

    // A number where a string belongs ends the reading there, as for the other values.
    FakeRegistry registry;
    Store(registry, "UzbekLatinInput", TRegValue::DWord(0));
    Store(registry, "UzbekLatinCards", TRegValue::String("1"));
    const TShellSettings settings = ReadSettings(registry);
    EXPECT_TRUE(settings.UzbekLatinInput);
    EXPECT_FALSE(settings.UzbekLatinCards);
}

TEST(SettingsTest, AFailedSaveIsQuiet)
{
    FakeRegistry registry;
    registry.FailWrites(true);
    EXPECT_NO_THROW(SaveSettings(registry, TShellSettings{}));
    EXPECT_NO_THROW(ReadSettings(registry));
    registry.FailWrites(false);
    EXPECT_FALSE(registry.KeyExists(SettingsKeyPath));
}

TEST(AutorunTest, TheEntryStartsTheProgramWithTheSwitch)
{
    FakeRegistry registry;
    EXPECT_EQ(AutorunCommand("C:\\Dict\\prog.exe"), "\"C:\\Dict\\prog.exe\" /autorun");
    EXPECT_FALSE(ReadAutorunState(registry));

    ChangeAutorun(registry, true, "/opt/kovrak morva/morva");
    auto run = registry.OpenKey(RunKeyPath, false);
    EXPECT_EQ(run->ReadValue(AutorunValueName), TRegValue::String("\"/opt/kovrak morva/morva\" /autorun"));
    EXPECT_TRUE(ReadAutorunState(registry));

    ChangeAutorun(registry, false, "/opt/kovrak morva/morva");
    EXPECT_FALSE(run->HasValue(AutorunValueName));
    EXPECT_FALSE(ReadAutorunState(registry));

    // Only a plain string counts as switched on.
    run->WriteValue(AutorunValueName, TRegValue::ExpandString("\"x\" /autorun"));
    EXPECT_FALSE(ReadAutorunState(registry));
}

TEST(AutorunTest, WithoutTheRunKeyNothingHappens)
{
    FakeRegistry registry(false);
    ChangeAutorun(registry, true, "/usr/bin/morva");
    EXPECT_FALSE(registry.KeyExists(RunKeyPath));
    EXPECT_FALSE(ReadAutorunState(registry));
}

// Installed, the session starts the program through its launcher in <prefix>/bin; a file of
// the same name there that leads elsewhere is not ours to start.
TEST(AutorunTest, AnInstalledProgramIsStartedThroughItsLauncher)
{
    namespace fs = std::filesystem;
    enum class TLauncher { None, LinkToProgram, OtherFile, LinkToOtherFile };
    const std::pair<TLauncher, bool> cases[] = {
        {TLauncher::None, false},
        {TLauncher::LinkToProgram, true},
        {TLauncher::OtherFile, false},
        {TLauncher::LinkToOtherFile, false},
    };
    int run = 0;
    for (const auto& [launcher, throughLauncher] : cases) {
        const fs::path prefix = FreshFolder("installed-" + std::to_string(run++)) / "usr";
        const fs::path program = prefix / "lib" / "kovrak-morva" / "morva";
        fs::create_directories(program.parent_path());
        fs::create_directories(prefix / "bin");
        std::ofstream(program) << "program";
        std::ofstream(prefix / "lib" / "other") << "other";
        if (launcher == TLauncher::LinkToProgram)
            fs::create_symlink("../lib/kovrak-morva/morva", prefix / "bin" / "morva");
        if (launcher == TLauncher::OtherFile)
            std::ofstream(prefix / "bin" / "morva") << "other";
        if (launcher == TLauncher::LinkToOtherFile)
            fs::create_symlink("../lib/other", prefix / "bin" / "morva");

        FakeRegistry registry;
        ChangeAutorun(registry, true, program.string());
        const fs::path started = throughLauncher ? prefix / "bin" / "morva" : program;
        EXPECT_EQ(registry.OpenKey(RunKeyPath, false)->ReadValue(AutorunValueName),
                  TRegValue::String("\"" + started.string() + "\" /autorun"))
            << static_cast<int>(launcher);
    }
}

// The session starts what the entry's Exec line says, read by the desktop entry rules.
TEST(AutorunTest, AwkwardProgramPathsGiveAValidEntryThatStartsThatPath)
{
    namespace fs = std::filesystem;
    const std::pair<std::string, std::string> cases[] = {
        {"/opt/kovrak morva/morva", R"("/opt/kovrak morva/morva" /autorun)"},
        {"/tmp/quote\"q/morva", R"("/tmp/quote\\"q/morva" /autorun)"},
        {"/opt/my \"best\" dict/morva", R"("/opt/my \\"best\\" dict/morva" /autorun)"},
        {"/home/$USER/100%/morva", R"("/home/\\$USER/100%%/morva" /autorun)"},
        {"/srv/back\\slash/`x`/morva", R"("/srv/back\\\\slash/\\`x\\`/morva" /autorun)"},
        {"/home/\xD0\x8E\xD0\xB7\xD0\xB1\xD0\xB5\xD0\xBA/lug\xE2\x80\x98" "at/morva",
         "\"/home/\xD0\x8E\xD0\xB7\xD0\xB1\xD0\xB5\xD0\xBA/lug\xE2\x80\x98" "at/morva\" /autorun"},
    };
    int run = 0;
    for (const auto& [program, exec] : cases) {
        const fs::path config = FreshFolder("autorun-path-" + std::to_string(run++));
        TFileRegistry registry(config);
        ChangeAutorun(registry, true, program);
        EXPECT_TRUE(ReadAutorunState(registry)) << program;
        EXPECT_EQ(registry.OpenKey(RunKeyPath, false)->ReadValue(AutorunValueName),
                  TRegValue::String(AutorunCommand(program)))
            << program;

        const fs::path entry = config / "autostart" / "kovrak-morva-autorun.desktop";
        std::ifstream in(entry);
        std::string line, execLine;
        while (std::getline(in, line))
            if (line.starts_with("Exec="))
                execLine = line.substr(5);
        EXPECT_EQ(execLine, exec) << program;
        const std::string validate = "desktop-file-validate '" + entry.string() + "' 2>&1";
        std::string complaints;
        if (FILE* output = popen(validate.c_str(), "r")) {
            char buffer[512];
            while (fgets(buffer, sizeof buffer, output))
                complaints += buffer;
            EXPECT_EQ(pclose(output), 0) << program << ": " << complaints;
        }
        EXPECT_EQ(complaints, "") << program;
    }
}

TEST(AutorunTest, TheSwitch)
{
    const std::pair<QStringList, bool> cases[] = {
        {{"morva"}, false},
        {{"morva", "/autorun"}, true},
        {{"morva", "-AUTORUN"}, true},
        {{"morva", "x", "/AutoRun"}, true},
        {{"/autorun"}, false}, // the program's own name does not count
        {{"morva", "autorun"}, false},
        {{"morva", "/autorun2"}, false},
        {{"morva", "--autorun"}, false},
    };
    for (const auto& [arguments, expected] : cases)
        EXPECT_EQ(HasAutorunSwitch(arguments), expected) << arguments.join(' ').toStdString();
}

} // namespace
} // namespace morva::test
