#include "placement/PlacementStream.h"

#include "tests/support/Repeated.h"

#include <gtest/gtest.h>

#include <climits>

namespace morva {
namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values)
{
    std::vector<std::uint8_t> bytes;
    for (int value : values)
        bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

TEST(PlacementStream, IntegersTakeTheSmallestForm)
{
    struct TCase {
        std::int32_t Value;
        std::vector<std::uint8_t> Bytes;
    };
    const TCase cases[] = {
        {0, Bytes({0x02, 0x00})},
        {127, Bytes({0x02, 0x7F})},
        {-128, Bytes({0x02, 0x80})},
        {128, Bytes({0x03, 0x80, 0x00})},
        {-129, Bytes({0x03, 0x7F, 0xFF})},
        {32767, Bytes({0x03, 0xFF, 0x7F})},
        {-32768, Bytes({0x03, 0x00, 0x80})},
        {32768, Bytes({0x04, 0x00, 0x80, 0x00, 0x00})},
        {INT_MIN, Bytes({0x04, 0x00, 0x00, 0x00, 0x80})},
        {INT_MAX, Bytes({0x04, 0xFF, 0xFF, 0xFF, 0x7F})},
    };
    for (const TCase& c : cases) {
        TStreamWriter writer;
        writer.WriteInteger(c.Value);
        EXPECT_EQ(writer.Bytes(), c.Bytes) << c.Value;
        TStreamReader reader(c.Bytes);
        EXPECT_EQ(reader.ReadInteger(), c.Value);
    }
}

TEST(PlacementStream, AValueOfAnotherKindIsSkippedAndRefused)
{
    // A string, then a set, then an integer.
    const auto bytes = Bytes({0x06, 0x02, 'a', 'b', 0x0B, 0x01, 'x', 0x00, 0x02, 0x05});
    TStreamReader reader(bytes);
    EXPECT_THROW(reader.ReadInteger(), EPropertyError);
    EXPECT_THROW(reader.ReadIdent(), EPropertyError);
    EXPECT_EQ(reader.ReadInteger(), 5);
}

TEST(PlacementStream, SignatureIsRequired)
{
    const auto plain = Bytes({'T', 'P', 'F', '0', 0x00});
    TStreamReader(plain).ReadSignature();

    // A resource header: 0xFF, type 10, zero-terminated name, flags, size.
    const auto resource = Bytes({0xFF, 0x0A, 0x00, 'M', 'F', 0x00, 0x30, 0x10, 0x05, 0, 0, 0, 'T', 'P', 'F', '0'});
    TStreamReader(resource).ReadSignature();

    for (const auto& bad : {Bytes({'T', 'P', 'F', '1'}), Bytes({'T', 'P'}), Bytes({}), Bytes({0xFF, 0x0B, 0x00, 0x00})}) {
        try {
            TStreamReader(bad).ReadSignature();
            FAIL() << "accepted a stream without the signature";
        } catch (const EReadError& error) {
            EXPECT_STREQ(error.what(), "Invalid stream format.");
        }
    }
}

TEST(PlacementStream, EveryValueKindCanBeSkipped)
{
    TStreamWriter writer;
    writer.WriteRaw(Bytes({0x01, 0x02, 0x01, 0x09, 0x00}));             // list of int8 and True
    writer.WriteRaw(Bytes({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})); // extended
    writer.WriteRaw(Bytes({0x0A, 0x02, 0, 0, 0, 0xAB, 0xCD}));          // binary
    writer.WriteRaw(Bytes({0x0C, 0x01, 0, 0, 0, 'z'}));                 // long string
    writer.WriteRaw(Bytes({0x12, 0x01, 0, 0, 0, 'w', 0}));              // wide string
    writer.WriteRaw(Bytes({0x13, 1, 2, 3, 4, 5, 6, 7, 8}));             // int64
    writer.WriteRaw(Bytes({0x0E, 0x02, 0x03, 0x01, 0x01, 'A', 0x02, 0x01, 0x00, 0x00})); // collection
    writer.WriteInteger(-7);
    TStreamReader reader(writer.Bytes());
    for (int i = 0; i < 7; ++i)
        reader.SkipValue();
    EXPECT_EQ(reader.ReadInteger(), -7);

    const auto unknown = Bytes({0x30});
    EXPECT_THROW(TStreamReader(unknown).SkipValue(), EReadError);
    const auto cut = Bytes({0x0C, 0xFF, 0, 0, 0, 'z'});
    EXPECT_THROW(TStreamReader(cut).SkipValue(), EReadError);
}

TEST(PlacementStream, HexadecimalIsUpperCaseAndReadInEitherCase)
{
    EXPECT_EQ(HexEncode(Bytes({0x00, 0x9F, 0xA0, 0xFF})), "009FA0FF");
    EXPECT_EQ(HexDecode("009fA0Ff"), Bytes({0x00, 0x9F, 0xA0, 0xFF}));
    EXPECT_EQ(HexDecode("0A0Bx0C"), Bytes({0x0A, 0x0B}));
    EXPECT_EQ(HexDecode("0A0"), Bytes({0x0A}));
}

TEST(PlacementStream, TheTextNotationBecomesTheBinaryStream)
{
    const std::string text = "object MainForm: TMainForm\r\n"
                             "  Left = 299\r\n"
                             "  Top = -5\r\n"
                             "  Caption = 'it''s' + #65\r\n"
                             "  Flags = [a, b]\r\n"
                             "  Visible = True\r\n"
                             "  Mode = wsMaximized\r\n"
                             "  object Child: TPanel\r\n"
                             "    Width = $10\r\n"
                             "  end\r\n"
                             "end\r\n";
    TStreamWriter expected;
    expected.WriteSignature();
    expected.WriteStr("TMainForm");
    expected.WriteStr("MainForm");
    expected.WriteStr("Left");
    expected.WriteInteger(299);
    expected.WriteStr("Top");
    expected.WriteInteger(-5);
    expected.WriteStr("Caption");
    expected.WriteRaw(Bytes({0x06, 0x05, 'i', 't', '\'', 's', 'A'}));
    expected.WriteStr("Flags");
    expected.WriteRaw(Bytes({0x0B, 0x01, 'a', 0x01, 'b', 0x00}));
    expected.WriteStr("Visible");
    expected.WriteValueType(vaTrue);
    expected.WriteStr("Mode");
    expected.WriteIdent("wsMaximized");
    expected.WriteListEnd();
    expected.WriteStr("TPanel");
    expected.WriteStr("Child");
    expected.WriteStr("Width");
    expected.WriteInteger(16);
    expected.WriteListEnd();
    expected.WriteListEnd();
    expected.WriteListEnd();
    EXPECT_EQ(ObjectTextToBinary(text), expected.Bytes());

    EXPECT_TRUE(LooksLikeObjectText(text));
    EXPECT_TRUE(LooksLikeObjectText(" object"));
    EXPECT_FALSE(LooksLikeObjectText("5450463009"));

    // Data and strings past 255 bytes take the long forms: a 32-bit length, then the bytes.
    const std::string longText(300, 'x');
    TStreamWriter longForms;
    longForms.WriteSignature();
    longForms.WriteStr("TA");
    longForms.WriteStr("A");
    longForms.WriteStr("Data");
    longForms.WriteRaw(Bytes({0x0A, 0x02, 0x00, 0x00, 0x00, 0xAB, 0x01}));
    longForms.WriteStr("Note");
    longForms.WriteRaw(Bytes({0x0C, 0x2C, 0x01, 0x00, 0x00}));
    longForms.WriteRaw(std::vector<std::uint8_t>(longText.begin(), longText.end()));
    longForms.WriteListEnd();
    longForms.WriteListEnd();
    EXPECT_EQ(ObjectTextToBinary("object A: TA\n Data = {AB01}\n Note = '" + longText + "'\nend\n"), longForms.Bytes());

    for (const char* bad : {"object A: TA\n Left = 1\n", "object A: TA\n Left 1\nend\n", "object A: TA\n X = 1.5\nend\n",
                            "object A: TA\nend\nextra", "obj A: TA\nend\n", "object A: TA\n S = 'open\nend\n",
                            "object A: TA\n D = {ABC}\nend\n", "object A: TA\n D = {XY}\nend\n"}) {
        try {
            ObjectTextToBinary(bad);
            FAIL() << bad;
        } catch (const EReadError& error) {
            EXPECT_STREQ(error.what(), "Invalid stream format.") << bad;
        }
    }
}

// A component with one property holding lists nested depth deep, and children nested
// childDepth deep.
std::vector<std::uint8_t> NestedStream(std::size_t depth, std::size_t childDepth)
{
    TStreamWriter writer;
    writer.WriteSignature();
    const auto component = [&] {
        writer.WriteStr("TA");
        writer.WriteStr("A");
    };
    component();
    writer.WriteStr("Data");
    writer.WriteRaw(std::vector<std::uint8_t>(depth, vaList));
    writer.WriteRaw(std::vector<std::uint8_t>(depth, vaNull));
    writer.WriteListEnd();
    for (std::size_t i = 0; i < childDepth; ++i) {
        component();
        writer.WriteListEnd();
    }
    writer.WriteRaw(std::vector<std::uint8_t>(childDepth + 2, vaNull));
    return std::move(writer.Bytes());
}

// Reads the whole stream as the placement reader walks it.
void ReadThrough(std::span<const std::uint8_t> bytes)
{
    TStreamReader reader(bytes);
    reader.ReadSignature();
    reader.SkipComponent();
}

TEST(PlacementStream, NestingBeyondAnyPlacementIsUnreadableNotACrash)
{
    // Shallow nesting still reads.
    ReadThrough(NestedStream(20, 20));
    ObjectTextToBinary("object A: TA\n X = " + test::Repeated("(", 20) + test::Repeated(")", 20) + "\n"
                       + test::Repeated("object B: TB\n", 20) + test::Repeated("end\n", 21));

    const std::string deepLists = "object A: TA\n X = " + test::Repeated("(", 60000) + test::Repeated(")", 60000) + "\nend\n";
    const std::string deepObjects = test::Repeated("object A: TA\n", 100000) + test::Repeated("end\n", 100000);
    for (const std::string* text : {&deepLists, &deepObjects}) {
        try {
            ObjectTextToBinary(*text);
            ADD_FAILURE() << "too deep a text was read";
        } catch (const EReadError& error) {
            EXPECT_STREQ(error.what(), "Invalid stream format.");
        }
    }
    for (const auto& [depth, childDepth] : {std::pair<std::size_t, std::size_t>{300000, 0}, {0, 500000}}) {
        const std::vector<std::uint8_t> bytes = NestedStream(depth, childDepth);
        EXPECT_THROW(ReadThrough(bytes), EReadError) << depth << " " << childDepth;
    }
}

} // namespace
} // namespace morva
