#include "placement/PlacementStream.h"

#include <cctype>
#include <cstring>

namespace morva {
namespace {

constexpr std::uint8_t Signature[4] = {'T', 'P', 'F', '0'};
constexpr std::uint8_t ResourceHeaderMark = 0xFF;
constexpr std::uint16_t RcData = 10;

// Flags of a component prefix byte (high nibble 0xF).
constexpr std::uint8_t PrefixMark = 0xF0;
constexpr std::uint8_t FlagInherited = 1;
constexpr std::uint8_t FlagChildPos = 2;
constexpr std::uint8_t FlagInline = 4;

[[noreturn]] void Fail(const char* message)
{
    throw EReadError(message);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Counts one level of nesting for as long as it lives.
class TNestingGuard {
public:
    explicit TNestingGuard(int& depth) : depth_(depth)
    {
        if (++depth_ > MaxStreamNesting) {
            --depth_;
            Fail(InvalidStreamFormat);
        }
    }
    ~TNestingGuard() { --depth_; }
    TNestingGuard(const TNestingGuard&) = delete;
    TNestingGuard& operator=(const TNestingGuard&) = delete;

private:
    int& depth_;
};

} // namespace

void TStreamWriter::WriteSignature()
{
    WriteRaw(Signature);
}

void TStreamWriter::WriteStr(std::string_view text)
{
    const std::size_t length = std::min<std::size_t>(text.size(), 255);
    bytes_.push_back(static_cast<std::uint8_t>(length));
    bytes_.insert(bytes_.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
}

void TStreamWriter::WriteLongData(std::span<const std::uint8_t> data)
{
    const auto length = static_cast<std::uint32_t>(data.size());
    bytes_.insert(bytes_.end(), {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
                                 static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)});
    WriteRaw(data);
}

void TStreamWriter::WriteIdent(std::string_view ident)
{
    WriteValueType(vaIdent);
    WriteStr(ident);
}

void TStreamWriter::WriteInteger(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    if (value >= -128 && value <= 127) {
        bytes_.insert(bytes_.end(), {vaInt8, static_cast<std::uint8_t>(bits)});
    } else if (value >= -32768 && value <= 32767) {
        bytes_.insert(bytes_.end(), {vaInt16, static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8)});
    } else {
        bytes_.insert(bytes_.end(), {vaInt32, static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                                     static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)});
    }
}

std::uint8_t TStreamReader::ReadByte()
{
    if (pos_ >= bytes_.size())
        Fail(StreamReadError);
    return bytes_[pos_++];
}

std::uint32_t TStreamReader::ReadUInt32()
{
    std::uint32_t value = ReadByte();
    value |= static_cast<std::uint32_t>(ReadByte()) << 8;
    value |= static_cast<std::uint32_t>(ReadByte()) << 16;
    value |= static_cast<std::uint32_t>(ReadByte()) << 24;
    return value;
}

void TStreamReader::Skip(std::size_t count)
{
    if (count > bytes_.size() - pos_)
        Fail(StreamReadError);
    pos_ += count;
}

void TStreamReader::ReadSignature()
{
    if (pos_ < bytes_.size() && bytes_[pos_] == ResourceHeaderMark) {
        // A resource header: type, zero-terminated name, flags, size.
        ++pos_;
        std::uint16_t type = ReadByte();
        type |= static_cast<std::uint16_t>(ReadByte() << 8);
        if (type != RcData)
            Fail(InvalidStreamFormat);
        while (ReadByte() != 0) {
        }
        Skip(2 + 4);
    }
    if (bytes_.size() - pos_ < sizeof Signature || std::memcmp(bytes_.data() + pos_, Signature, sizeof Signature) != 0)
        Fail(InvalidStreamFormat);
    pos_ += sizeof Signature;
}

void TStreamReader::ReadPrefix()
{
    if (pos_ >= bytes_.size() || (bytes_[pos_] & 0xF0) != PrefixMark)
        return;
    const std::uint8_t flags = ReadByte() & 0x0F;
    if (flags & FlagChildPos)
        ReadInteger();
}

std::string TStreamReader::ReadStr()
{
    const std::size_t length = ReadByte();
    const std::size_t start = pos_;
    Skip(length);
    return std::string(bytes_.begin() + static_cast<std::ptrdiff_t>(start),
                       bytes_.begin() + static_cast<std::ptrdiff_t>(pos_));
}

void TStreamReader::ReadListEnd()
{
    if (ReadByte() != vaNull)
        Fail(InvalidPropertyValue);
}

TValueType TStreamReader::NextValue() const
{
    if (pos_ >= bytes_.size())
        Fail(StreamReadError);
    return static_cast<TValueType>(bytes_[pos_]);
}

std::int32_t TStreamReader::ReadInteger()
{
    switch (NextValue()) {
    case vaInt8:
        ++pos_;
        return static_cast<std::int8_t>(ReadByte());
    case vaInt16: {
        ++pos_;
        std::uint16_t value = ReadByte();
        value |= static_cast<std::uint16_t>(ReadByte() << 8);
        return static_cast<std::int16_t>(value);
    }
    case vaInt32:
        ++pos_;
        return static_cast<std::int32_t>(ReadUInt32());
    default:
        SkipValue();
        throw EPropertyError(InvalidPropertyValue);
    }
}

std::string TStreamReader::ReadIdent()
{
    switch (NextValue()) {
    case vaIdent:
        ++pos_;
        return ReadStr();
    case vaFalse: ++pos_; return "False";
    case vaTrue: ++pos_; return "True";
    case vaNil: ++pos_; return "nil";
    case vaNull: ++pos_; return "Null";
    default:
        SkipValue();
        throw EPropertyError(InvalidPropertyValue);
    }
}

void TStreamReader::SkipValue()
{
    const TNestingGuard nesting(depth_);
    switch (ReadByte()) {
    case vaNull: case vaFalse: case vaTrue: case vaNil:
        return;
    case vaList:
        while (!EndOfList())
            SkipValue();
        ReadListEnd();
        return;
    case vaInt8: Skip(1); return;
    case vaInt16: Skip(2); return;
    case vaInt32: case vaSingle: Skip(4); return;
    case vaInt64: case vaCurrency: case vaDate: case vaDouble: Skip(8); return;
    case vaExtended: Skip(10); return;
    case vaString: case vaIdent: ReadStr(); return;
    case vaBinary: case vaLString: case vaUTF8String: Skip(ReadUInt32()); return;
    case vaWString: {
        const std::uint32_t length = ReadUInt32();
        if (length > (bytes_.size() - pos_) / 2)
            Fail(StreamReadError);
        Skip(std::size_t{length} * 2);
        return;
    }
    case vaSet:
        while (!ReadStr().empty()) {
        }
        return;
    case vaCollection:
        while (!EndOfList()) {
            const TValueType next = NextValue();
            if (next == vaInt8 || next == vaInt16 || next == vaInt32)
                SkipValue();
            if (ReadByte() != vaList)
                Fail(InvalidPropertyValue);
            while (!EndOfList())
                SkipProperty();
            ReadListEnd();
        }
        ReadListEnd();
        return;
    default:
        Fail(InvalidPropertyValue);
    }
}

void TStreamReader::SkipProperty()
{
    ReadStr();
    SkipValue();
}

void TStreamReader::SkipComponent()
{
    const TNestingGuard nesting(depth_);
    ReadPrefix();
    ReadStr();
    ReadStr();
    while (!EndOfList())
        SkipProperty();
    ReadListEnd();
    while (!EndOfList())
        SkipComponent();
    ReadListEnd();
}

std::string HexEncode(std::span<const std::uint8_t> bytes)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::uint8_t byte : bytes) {
        text += Digits[byte >> 4];
        text += Digits[byte & 0x0F];
    }
    return text;
}

std::vector<std::uint8_t> HexDecode(std::string_view text)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0)
            break;
        bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return bytes;
}

bool LooksLikeObjectText(std::string_view text)
{
    return !text.empty() && std::strchr("oOiI \t\v\r", text.front()) != nullptr;
}

namespace {

// The text notation, read token by token and written as the binary stream.
class TObjectTextParser {
public:
    explicit TObjectTextParser(std::string_view text) : text_(text) {}

    std::vector<std::uint8_t> Convert()
    {
        out_.WriteSignature();
        ParseObject();
        SkipBlanks();
        if (pos_ != text_.size())
            Fail(InvalidStreamFormat);
        return std::move(out_.Bytes());
    }

private:
    void SkipBlanks()
    {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
    }

    char Peek()
    {
        SkipBlanks();
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }

    void Expect(char c)
    {
        if (Peek() != c)
            Fail(InvalidStreamFormat);
        ++pos_;
    }

    static bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }

    std::string Ident()
    {
        if (!IsIdentStart(Peek()))
            Fail(InvalidStreamFormat);
        const std::size_t start = pos_;
        while (pos_ < text_.size()
               && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_' || text_[pos_] == '.'))
            ++pos_;
        return std::string(text_.substr(start, pos_ - start));
    }

    static bool Is(const std::string& word, const char* keyword)
    {
        if (word.size() != std::strlen(keyword))
            return false;
        for (std::size_t i = 0; i < word.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(word[i])) != keyword[i])
                return false;
        return true;
    }

    void ParseObject()
    {
        const TNestingGuard nesting(depth_);
        const std::string kind = Ident();
        std::uint8_t flags = 0;
        if (Is(kind, "inherited"))
            flags = FlagInherited;
        else if (Is(kind, "inline"))
            flags = FlagInline;
        else if (!Is(kind, "object"))
            Fail(InvalidStreamFormat);
        if (flags)
            out_.Bytes().push_back(PrefixMark | flags);

        std::string name = Ident();
        std::string className;
        if (Peek() == ':') {
            ++pos_;
            className = Ident();
        } else {
            className = std::move(name);
            name.clear();
        }
        out_.WriteStr(className);
        out_.WriteStr(name);

        for (;;) {
            const std::size_t start = pos_;
            const std::string word = Ident();
            if (Is(word, "end") || Is(word, "object") || Is(word, "inherited") || Is(word, "inline")) {
                pos_ = start;
                break;
            }
            out_.WriteStr(word);
            Expect('=');
            ParseValue();
        }
        out_.WriteListEnd();

        for (;;) {
            const std::size_t start = pos_;
            const std::string word = Ident();
            if (Is(word, "end"))
                break;
            pos_ = start;
            ParseObject();
        }
        out_.WriteListEnd();
    }

    void ParseValue()
    {
        const TNestingGuard nesting(depth_);
        const char c = Peek();
        if (c == '-' || c == '+' || c == '$' || std::isdigit(static_cast<unsigned char>(c)))
            out_.WriteInteger(Integer());
        else if (c == '\'' || c == '#')
            ParseString();
        else if (c == '[')
            ParseSet();
        else if (c == '(')
            ParseList();
        else if (c == '{')
            ParseBinary();
        else if (IsIdentStart(c))
            ParseWord();
        else
            Fail(InvalidStreamFormat);
    }

    void ParseString()
    {
        const std::string text = String();
        if (text.size() <= 255) {
            out_.WriteValueType(vaString);
            out_.WriteStr(text);
            return;
        }
        out_.WriteValueType(vaLString);
        out_.WriteLongData(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    }

    void ParseSet()
    {
        ++pos_;
        out_.WriteValueType(vaSet);
        while (Peek() != ']') {
            out_.WriteStr(Ident());
            if (Peek() == ',')
                ++pos_;
        }
        ++pos_;
        out_.WriteStr("");
    }

    void ParseList()
    {
        ++pos_;
        out_.WriteValueType(vaList);
        while (Peek() != ')')
            ParseValue();
        ++pos_;
        out_.WriteListEnd();
    }

    void ParseBinary()
    {
        ++pos_;
        std::string digits;
        while (Peek() != '}') {
            if (pos_ >= text_.size())
                Fail(InvalidStreamFormat);
            digits += text_[pos_++];
        }
        ++pos_;
        const std::vector<std::uint8_t> data = HexDecode(digits);
        if (digits.size() % 2 != 0 || data.size() * 2 != digits.size())
            Fail(InvalidStreamFormat);
        out_.WriteValueType(vaBinary);
        out_.WriteLongData(data);
    }

    void ParseWord()
    {
        const std::string word = Ident();
        if (Is(word, "true"))
            out_.WriteValueType(vaTrue);
        else if (Is(word, "false"))
            out_.WriteValueType(vaFalse);
        else if (Is(word, "nil"))
            out_.WriteValueType(vaNil);
        else
            out_.WriteIdent(word);
    }

    std::int32_t Integer()
    {
        if (pos_ >= text_.size())
            Fail(InvalidStreamFormat);
        bool negative = false;
        if (text_[pos_] == '-' || text_[pos_] == '+')
            negative = text_[pos_++] == '-';
        const int base = pos_ < text_.size() && text_[pos_] == '$' ? 16 : 10;
        if (base == 16)
            ++pos_;
        std::int64_t value = 0;
        const std::size_t start = pos_;
        while (pos_ < text_.size()) {
            const int digit = HexDigit(text_[pos_]);
            if (digit < 0 || digit >= base)
                break;
            value = value * base + digit;
            if (value > 0xFFFFFFFFll)
                Fail(InvalidStreamFormat);
            ++pos_;
        }
        if (pos_ == start || (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '.')))
            Fail(InvalidStreamFormat);
        if (base == 16)
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        value = negative ? -value : value;
        if (value < INT32_MIN || value > INT32_MAX)
            Fail(InvalidStreamFormat);
        return static_cast<std::int32_t>(value);
    }

    // 'quoted' and #code pieces, joined by nothing or by +.
    std::string String()
    {
        std::string text;
        for (;;) {
            const char c = Peek();
            if (c == '\'') {
                for (++pos_;; ++pos_) {
                    if (pos_ >= text_.size() || text_[pos_] == '\n')
                        Fail(InvalidStreamFormat);
                    if (text_[pos_] == '\'') {
                        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                            text += '\'';
                            ++pos_;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    text += text_[pos_];
                }
            } else if (c == '#') {
                ++pos_;
                const std::int32_t code = Integer();
                if (code < 0 || code > 255)
                    Fail(InvalidStreamFormat);
                text += static_cast<char>(code);
            } else if (c == '+') {
                ++pos_;
                if (Peek() != '\'' && Peek() != '#')
                    Fail(InvalidStreamFormat);
            } else {
                return text;
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    TStreamWriter out_;
};

} // namespace

std::vector<std::uint8_t> ObjectTextToBinary(std::string_view text)
{
    return TObjectTextParser(text).Convert();
}

} // namespace morva
