#include "engine/Collation.h"
#include "engine/DictImage.h"
#include "engine/KovrObj.h"
#include "engine/TextRules.h"
#include "tests/support/DictFiles.h"
#include "tests/support/TestFolders.h"
#include "text/Utf8.h"
#include "tools/DictCompiler.h"
#include "tools/DictDecompiler.h"
#include "tools/DictGenerator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sys/stat.h>

namespace morva {
namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

DictLists Compile(const std::string& text, std::vector<std::string>* warnings = nullptr)
{
    DictSource source = ParseSource(text, "t.txt");
    DictLists lists = FormEntries(source);
    if (warnings)
        *warnings = source.Warnings;
    return lists;
}

std::string SourceFault(const std::string& text)
{
    try {
        Compile(text);
    } catch (const SourceError& e) {
        return e.what();
    }
    return "(no fault)";
}

DictImage ImageOf(const std::vector<std::uint8_t>& bytes)
{
    auto copy = AllocateByteBlock(bytes.size());
    std::memcpy(copy.get(), bytes.data(), bytes.size());
    return DictImage(std::move(copy), bytes.size());
}

void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const DictEntry* Entry(const DictLists& lists, Language l, const char* utf8)
{
    for (const auto& e : lists[l])
        if (e.Headword == Utf8ToDictText(utf8))
            return &e;
    return nullptr;
}

std::vector<std::string> EnglishOf(const std::vector<SenseRecord>& senses)
{
    std::vector<std::string> texts;
    for (const auto& s : senses)
        texts.push_back(s.English);
    return texts;
}

std::vector<std::string> EnglishOf(const std::vector<PhraseRecord>& phrases)
{
    std::vector<std::string> texts;
    for (const auto& p : phrases)
        texts.push_back(p.English);
    return texts;
}

// Markers of every kind, a phrase entry, an extra word, a spelling met twice.
const std::string Sample = R"(# sample
S | run | rʌn | югурмоқ | бежать
S | run away | ˌrʌn əˈweɪ | қочмоқ | убегать
S | running | ˈrʌnɪŋ | югуриш | бег
S | Run {2} | rʌn | =walk 2 | см. walk
S | (to) run | rʌn | чопмоқ (тез) | бегать
S | walk | wɔːk | юрмоқ | ходить
S | happiness | ˈhæpinəs | бахт | счастье
S | stop) | stɒp | *эскирган | *устар.

P | to run away | қочиб кетмоқ | убежать
P | running late | кечикмоқ | опаздывать
P | happiness (or joy)... | бахт | счастье...
E | thank you | раҳмат | спасибо
W | en | -ness
W | ru | -ость
)";

TEST(Compiler, FormsEntriesFromTheRecords)
{
    std::vector<std::string> warnings;
    const DictLists lists = Compile(Sample, &warnings);

    struct Expected {
        Language list;
        const char* headword;
        std::vector<std::string> senses; // English texts, in file order
        std::vector<std::string> phrases;
    };
    const Expected table[] = {
        // Every sense whose match form begins with the headword as a whole word, the first
        // spelling met.
        {English, "run", {"run", "run away", "Run {2}", "(to) run"}, {"to run away"}},
        {English, "run away", {"run away"}, {"to run away"}},
        {English, "running", {"running"}, {"running late"}},
        {English, "walk", {"walk"}, {}},
        // An extra word open at the left holds phrases with words ending in it.
        {English, "-ness", {}, {"happiness (or joy)..."}},
        {English, "happiness", {"happiness"}, {"happiness (or joy)..."}},
        {Uzbek, "югурмоқ", {"run"}, {}},
        {Uzbek, "чопмоқ", {"(to) run"}, {}},
        {Russian, "бег", {"running"}, {}},
    };
    for (const auto& row : table) {
        const DictEntry* e = Entry(lists, row.list, row.headword);
        ASSERT_NE(e, nullptr) << row.headword;
        EXPECT_EQ(e->Kind, WordEntry) << row.headword;
        EXPECT_EQ(EnglishOf(e->Senses), row.senses) << row.headword;
        EXPECT_EQ(EnglishOf(e->Phrases), row.phrases) << row.headword;
    }

    // References and notes make no headwords; neither does a text that matches nothing.
    for (const char* none : {"=walk", "walk", "Run", "stop", "*эскирган"})
        EXPECT_EQ(Entry(lists, Uzbek, none), nullptr) << none;
    EXPECT_EQ(Entry(lists, English, "stop"), nullptr);
    EXPECT_EQ(lists[English].size(), 7u); // run, run away, running, walk, happiness, -ness, thank you
    EXPECT_EQ(Entry(lists, Russian, "-ость")->Senses.size(), 0u);

    // A phrase entry in each list whose text is there.
    for (auto [l, text] : {std::pair{English, "thank you"}, {Uzbek, "раҳмат"}, {Russian, "спасибо"}}) {
        const DictEntry* e = Entry(lists, l, text);
        ASSERT_NE(e, nullptr) << text;
        EXPECT_EQ(e->Kind, PhraseEntry);
        ASSERT_EQ(e->Phrases.size(), 1u);
        EXPECT_EQ(e->Phrases[0].English, "thank you");
    }

    // A reference in any spelling is stored in the one form the card links: "см. walk" is "=walk".
    const auto& referring = Entry(lists, English, "run")->Senses[2];
    EXPECT_EQ(referring.Uzbek, "=walk");
    EXPECT_EQ(referring.Russian, "=walk");

    // Transcriptions are stored in the font's layout.
    EXPECT_EQ(Entry(lists, English, "walk")->Senses[0].Transcription, "w\x8D\xF9k");

    EXPECT_THAT(warnings, testing::ElementsAre(HasSubstr("t.txt:9: warning: this sense comes under no headword")));
}

TEST(Compiler, RepeatedLinesAreLeftOutWithAWarning)
{
    std::vector<std::string> warnings;
    const DictLists lists = Compile("S | cat | kæt | мушук | кошка\n"
                                    "S | cat | kæt | мушук | кошка\n"
                                    "P | a cat | мушук | кошка\n"
                                    "E | a cat | мушук | кошка\n",
                                    &warnings);
    EXPECT_EQ(Entry(lists, English, "cat")->Senses.size(), 1u);
    EXPECT_EQ(Entry(lists, English, "cat")->Phrases.size(), 1u);
    EXPECT_EQ(Entry(lists, English, "a cat")->Kind, PhraseEntry); // the E made the phrase an entry
    EXPECT_THAT(warnings, testing::ElementsAre(HasSubstr("t.txt:2: warning: the same sense as line 1"),
                                               HasSubstr("t.txt:4: warning: the same phrase as line 3")));
}

// The indexed placement must put every record exactly where the plain rules put it.
TEST(Compiler, PlacementAgreesWithThePlainRules)
{
    DictSource source = GenerateSource(11, 800);
    // Words open at the right, at both ends, at the left, and one too short once opened.
    for (const char* word : {"br-", "-oo-", "-st", "-a-"})
        source.Words.push_back({English, word, 100'000});
    source.Words.push_back({Russian, Utf8ToDictText("-ение"), 100'000});
    const DictLists lists = FormEntries(source);
    for (Language l = 0; l < LanguageCount; ++l) {
        std::vector<std::string> forms;
        for (const auto& s : source.Senses)
            forms.push_back(MatchForm(l == English ? s.Record.English : l == Uzbek ? s.Record.Uzbek : s.Record.Russian));
        for (const auto& e : lists[l]) {
            if (e.Kind != WordEntry)
                continue;
            std::vector<SenseRecord> senses;
            for (std::size_t i = 0; i < forms.size(); ++i)
                if (forms[i].size() >= e.Headword.size() &&
                    CompareHeadwords(e.Headword, std::string_view(forms[i]).substr(0, e.Headword.size())) == 0 &&
                    (forms[i].size() == e.Headword.size() ||
                     IsWordSeparator(static_cast<unsigned char>(forms[i][e.Headword.size()]))))
                    senses.push_back(source.Senses[i].Record);
            std::vector<PhraseRecord> phrases;
            for (const auto& p : source.Phrases) {
                const auto& text = l == English ? p.Record.English : l == Uzbek ? p.Record.Uzbek : p.Record.Russian;
                if (ContainsWholeWord(e.Headword, text))
                    phrases.push_back(p.Record);
            }
            ASSERT_EQ(e.Senses, senses) << DictTextToUtf8(e.Headword);
            ASSERT_EQ(e.Phrases, phrases) << DictTextToUtf8(e.Headword);
        }
    }
    EXPECT_FALSE(Entry(lists, English, "-oo-")->Phrases.empty());
    EXPECT_FALSE(Entry(lists, English, "br-")->Phrases.empty());
}

TEST(Compiler, ReportsEveryFaultWithItsLine)
{
    const std::string text = "# faults, one a line\n"
                             "S | café | | кафе | кафе\n"
                             "S | cat | kæt | мушук | кошка | extra\n"
                             "X | a | b | c\n"
                             "\n"
                             "S | bird | bɝd | қуш | птица\n"
                             "S | sing | sɪⁿ | куйламоқ | петь\n"
                             "W | de | Wort\n"
                             "S | \xFF | | a | b\n"
                             "S |  |  |  | \n"
                             "S | a\tb | | a | b\n"
                             "W | en | \n"
                             "S | dog | dɒɡ | ит | собака\n"
                             "P | 😀 | a | b\n";
    const std::string fault = SourceFault(text);
    const char* expected[] = {
        "t.txt:2: English text: \"é\" (U+00E9) cannot be held in dictionary text",
        "t.txt:3: a S record has 4 fields after its letter, this line has 5",
        "t.txt:4: a record begins with S, P, E or W",
        "t.txt:6: transcription: no IPA93 byte stands for \"ɝ\"",
        "t.txt:7: transcription: \"ⁿ\" is stored as the byte \"<\", which an article would read as markup",
        "t.txt:8: a W record names its list with en, uz or ru, not \"de\"",
        "t.txt:9: the line is not valid UTF-8",
        "t.txt:10: a sense needs at least one text",
        "t.txt:11: English text: control character U+0009 is not allowed",
        "t.txt:12: a W record needs a headword",
        "t.txt:14: English text: \"😀\" (U+1F600) cannot be held",
    };
    for (const char* line : expected)
        EXPECT_THAT(fault, HasSubstr(line));
    EXPECT_EQ(std::count(fault.begin(), fault.end(), '\n') + 1, std::ssize(expected)) << fault;
}

TEST(Compiler, RefusesAListThatWouldBeEmpty)
{
    EXPECT_EQ(SourceFault("W | en | cat\nW | ru | кошка\n"),
              "t.txt: the Uzbek list would be empty, and the program refuses a file with an empty list");
    // References alone make no headwords either.
    EXPECT_THAT(SourceFault("S | cat | kæt | =dog | кошка\n"), HasSubstr("the Uzbek list would be empty"));
}

TEST(Compiler, BadSourceLeavesNoFileBehind)
{
    const fs::path folder = test::FreshFolder("compile-errors");
    WriteText(folder / "bad.txt", "S | cat | kæt | мушук | кошка\nS | dog | dɒɡ\n");
    std::ostringstream warnings;
    try {
        CompileFile(folder / "bad.txt", folder / "out.uzd", warnings);
        ADD_FAILURE() << "compiled";
    } catch (const SourceError& e) {
        EXPECT_EQ(std::string(e.what()), (folder / "bad.txt").string() +
                                             ":2: a S record has 4 fields after its letter, this line has 2");
    }

    // Too large: a few huge texts pass every line check, the size does not.
    std::string huge = "S | cat | kæt | мушук | кошка\n";
    for (char c = 'a'; c <= 'z'; ++c)
        huge += "W | en | " + std::string(2'000'000, c) + "\n";
    WriteText(folder / "huge.txt", huge);
    try {
        CompileFile(folder / "huge.txt", folder / "out.uzd", warnings);
        ADD_FAILURE() << "compiled";
    } catch (const SourceError& e) {
        EXPECT_THAT(e.what(), HasSubstr("huge.txt: the dictionary would exceed 50,000,000 bytes"));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2); // the two sources
}

// The output goes through a fresh temporary beside it and a rename: links are replaced, never
// followed, a folder is refused before any work, and no failure leaves a file behind.
TEST(Compiler, OutputIsReplacedSafely)
{
    const fs::path folder = test::FreshFolder("compile-output");
    WriteText(folder / "src.txt", Sample);
    WriteText(folder / "victim.txt", "victim");
    fs::create_directory(folder / "dir");
    fs::create_symlink("victim.txt", folder / "o.uzd.partial"); // the old fixed temporary name
    fs::create_symlink("victim.txt", folder / "linked.uzd");
    const struct {
        fs::path output;
        const char* fault; // empty: compiles
    } cases[] = {
        {folder / "dir", "dir: cannot be written (it is a folder; give the name of the file to write)"},
        {folder / "missing" / "o.uzd", "o.uzd: cannot be written (No such file or directory)"},
        {folder / "o.uzd", ""},
        {folder / "linked.uzd", ""},
    };
    for (const auto& c : cases) {
        std::ostringstream warnings;
        std::string fault;
        try {
            CompileFile(folder / "src.txt", c.output, warnings);
        } catch (const std::runtime_error& e) {
            fault = e.what();
        }
        if (*c.fault)
            EXPECT_THAT(fault, HasSubstr(c.fault)) << c.output;
        else
            EXPECT_EQ(fault, "") << c.output;
    }
    EXPECT_EQ(ReadFileText(folder / "victim.txt"), "victim");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / "linked.uzd")));
    EXPECT_TRUE(fs::is_empty(folder / "dir"));
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"src.txt", "victim.txt", "dir", "o.uzd.partial", "o.uzd", "linked.uzd"}));
    TUzDictionary dict(folder / "o.uzd");
    EXPECT_EQ(fs::status(folder / "o.uzd").permissions() & fs::perms::others_read, fs::perms::others_read);
}

// Only a regular file is read as a source, and only up to the limit: a FIFO would keep the
// compiler waiting, a device would fill the memory.
TEST(Compiler, SourceMustBeARegularFileOfBoundedSize)
{
    const fs::path folder = test::FreshFolder("compile-source");
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    WriteText(folder / "thousand.txt", std::string(1000, '#'));
    const struct {
        fs::path source;
        std::size_t limit;
        const char* fault;
    } cases[] = {
        {folder / "fifo", MaxSourceSize, "fifo: cannot be read (it is not a regular file)"},
        {"/dev/zero", MaxSourceSize, "/dev/zero: cannot be read (it is not a regular file)"},
        {folder, MaxSourceSize, ": cannot be read (it is a folder)"},
        {folder / "missing.txt", MaxSourceSize, "missing.txt: cannot be read (No such file or directory)"},
        {folder / "thousand.txt", 999, "thousand.txt: the source is larger than 999 bytes"},
        {folder / "thousand.txt", 1000, ""},
    };
    for (const auto& c : cases) {
        std::string fault;
        try {
            EXPECT_EQ(ReadSourceFile(c.source, c.limit).size(), 1000u);
        } catch (const std::runtime_error& e) {
            fault = e.what();
        }
        if (*c.fault)
            EXPECT_THAT(fault, HasSubstr(c.fault)) << c.source;
        else
            EXPECT_EQ(fault, "");
    }
    EXPECT_THAT(MaxSourceSize, testing::Ge(4 * std::size_t(MaxFileSize)));
}

// Bytes of the source reach a terminal only escaped.
TEST(Compiler, MessagesShowControlBytesEscaped)
{
    const struct {
        std::string line, fault;
    } cases[] = {
        {"X\x1B[31m | a\n", "t.txt:1: a record begins with S, P, E or W followed by \"|\", not \"X\\x1B[31m\""},
        {"W | \x1B]0;owned\x07 | cat\n", "not \"\\x1B]0;owned\\x07\""},
        {"\xC3 | x\n", "not \"\\xC3\""},
    };
    for (const auto& c : cases)
        EXPECT_THAT(SourceFault(c.line), HasSubstr(c.fault));
}

TEST(Compiler, CompiledFileLoads)
{
    const fs::path folder = test::FreshFolder("compile-loads");
    WriteText(folder / "sample.txt", Sample);
    std::ostringstream warnings;
    CompileFile(folder / "sample.txt", folder / "Morva.uzd", warnings);
    TUzDictionary dict(folder / "Morva.uzd");
    EXPECT_EQ(dict.Count(), 7);
    EXPECT_EQ(dict.Headword(dict.FindHeadword("RUN")), "run");
    EXPECT_THAT(warnings.str(), HasSubstr("sample.txt:9: warning"));
}

// compile -> decompile -> compile gives the same file, byte for byte.
TEST(Decompiler, RoundTripGivesTheSameFile)
{
    const std::string sources[] = {
        Sample,
        FormatSource(GenerateSource(3, 800)),
        // A W record that only respells an automatic headword, and one that adds nothing.
        "W | en | Cat\nS | cat | kæt | мушук | кошка\nW | uz | ит\n",
    };
    for (const auto& text : sources) {
        const auto image = WriterFor(Compile(text)).Image();
        const DictLists lists = ReadLists(ImageOf(image));
        const std::string decompiled = DecompileLists(lists);
        EXPECT_EQ(RoundTripFault(lists, decompiled), "");
        EXPECT_EQ(WriterFor(Compile(decompiled)).Image(), image) << decompiled;
    }
}

TEST(Decompiler, SaysWhenAFileDoesNotFollowTheRules)
{
    // A hand-made file: "cat" holds a sense that the rules would put under "dog" only.
    TDictWriter writer;
    writer.AddWordEntry(English, "cat", {test::Sense("dog", "ит", "собака")}, {});
    writer.AddWordEntry(Uzbek, "ит", {test::Sense("dog", "ит", "собака")}, {});
    writer.AddWordEntry(Russian, "собака", {test::Sense("dog", "ит", "собака")}, {});
    const DictLists lists = ReadLists(ImageOf(writer.Image()));
    EXPECT_THAT(RoundTripFault(lists, DecompileLists(lists)), HasSubstr("En list, entry 0 \"cat\" comes back"));
}

// The command-line tool: status, messages, and the file it leaves.
TEST(CompileCommand, ReportsFaultsAndRoundTrips)
{
    const fs::path folder = test::FreshFolder("compile-command");
    const std::string cli = std::string(std::getenv("MORVA_BIN")) + "/morva-cli";
    const auto run = [&](const std::string& arguments) {
        return WEXITSTATUS(std::system((cli + " " + arguments + " >" + (folder / "out").string() + " 2>" +
                                        (folder / "err").string()).c_str()));
    };
    const auto read = [&](const char* name) {
        std::ifstream in(folder / name);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };

    WriteText(folder / "bad.txt", "S | cat | kæt | мушук | кошка\n\nS | dog | dɒɡ | ит | собака | x\n");
    EXPECT_EQ(run((folder / "bad.txt").string() + " " + (folder / "bad.uzd").string()), 2); // no command word
    EXPECT_EQ(run("compile " + (folder / "bad.txt").string() + " " + (folder / "bad.uzd").string()), 1);
    EXPECT_THAT(read("err"), HasSubstr("bad.txt:3: a S record has 4 fields"));
    EXPECT_FALSE(fs::exists(folder / "bad.uzd"));

    WriteText(folder / "good.txt", Sample);
    EXPECT_EQ(run("compile " + (folder / "good.txt").string() + " " + (folder / "good.uzd").string()), 0);
    EXPECT_EQ(run("decompile " + (folder / "good.uzd").string()), 0);
    fs::rename(folder / "out", folder / "again.txt");
    EXPECT_EQ(run("compile " + (folder / "again.txt").string() + " " + (folder / "again.uzd").string()), 0);
    EXPECT_EQ(read("good.uzd"), read("again.uzd"));
    EXPECT_EQ(run("--data " + (folder / "again.uzd").string() + " find en RUN"), 0);
    EXPECT_EQ(read("out"), "2\n"); // after "-ness" and "happiness"
}

} // namespace
} // namespace morva
