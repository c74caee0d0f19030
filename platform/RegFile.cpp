#include "platform/RegFile.h"

#include <cstdio>
#include <sstream>

namespace morva {
namespace {

constexpr const char* RootName = "HKEY_CURRENT_USER";
constexpr std::size_t HexLineWidth = 76;
// As deep as the Windows registry lets keys go; deeper paths are not a registry of ours.
constexpr std::size_t MaxKeyDepth = 512;

std::string Quote(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

// Text that one quoted line can carry: no line breaks, no other control characters.
bool FitsQuoted(const std::string& text)
{
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F)
            return false;
    return true;
}

std::vector<std::uint8_t> TextWithTerminator(const std::string& text)
{
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

void AppendHex(std::string& line, const std::string& prefix, const std::vector<std::uint8_t>& bytes)
{
    line += prefix;
    std::size_t lineStart = line.rfind('\n') == std::string::npos ? 0 : line.rfind('\n') + 1;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", bytes[i]);
        line += digits;
        if (i + 1 == bytes.size())
            break;
        line += ',';
        if (line.size() - lineStart > HexLineWidth) {
            line += "\\\n  ";
            lineStart = line.size() - 2;
        }
    }
}

// A name goes into the file as it is, so every name the reader can take is written back:
// anything but a line break, which the reader can never have taken.
bool FitsName(const std::string& name)
{
    return name.find('\n') == std::string::npos;
}

std::string FormatValue(const std::string& name, const TRegValue& value)
{
    if (!FitsName(name))
        throw ERegFileFormat("a value name with a line break");
    std::string line = name.empty() ? "@=" : Quote(name) + "=";
    switch (value.Type) {
    case TRegType::Sz:
        if (FitsQuoted(value.Text))
            return line + Quote(value.Text);
        AppendHex(line, "hex(1):", TextWithTerminator(value.Text));
        return line;
    case TRegType::ExpandSz:
        AppendHex(line, "hex(2):", TextWithTerminator(value.Text));
        return line;
    case TRegType::DWord: {
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x", value.Number);
        return line + "dword:" + digits;
    }
    case TRegType::Binary:
        AppendHex(line, "hex:", value.Bytes);
        return line;
    }
    AppendHex(line, "hex(" + std::to_string(static_cast<std::uint32_t>(value.Type)) + "):", value.Bytes);
    return line;
}

void FormatKey(std::string& out, const TRegNode& node, const std::string& path)
{
    if (!FitsName(node.Name))
        throw ERegFileFormat("a key name with a line break");
    out += "[" + path + "]\n";
    for (const auto& [name, value] : node.Values)
        out += FormatValue(name, value) + "\n";
    out += "\n";
    for (const auto& [name, child] : node.Subkeys)
        FormatKey(out, *child, path + "\\" + child->Name);
}

class TParser {
public:
    explicit TParser(const std::string& text) : text_(text) {}

    std::unique_ptr<TRegNode> Parse()
    {
        auto root = std::make_unique<TRegNode>();
        TRegNode* key = nullptr;
        bool header = false;
        std::string line;
        while (NextLine(line)) {
            if (!header) {
                if (line.rfind("\xEF\xBB\xBF", 0) == 0)
                    line.erase(0, 3);
                if (line.empty())
                    continue;
                if (line != "REGEDIT4")
                    Fail("not a REGEDIT4 file");
                header = true;
                continue;
            }
            if (line.empty() || line[0] == ';')
                continue;
            if (line[0] == '[')
                key = ParseKey(*root, line);
            else if (!key)
                Fail("value outside a key");
            else
                ParseValue(*key, JoinContinued(line));
        }
        if (!header)
            Fail("not a REGEDIT4 file");
        return root;
    }

private:
    bool NextLine(std::string& line)
    {
        if (pos_ >= text_.size())
            return false;
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string::npos)
            end = text_.size();
        line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        pos_ = end + 1;
        ++lineNumber_;
        return true;
    }

    // Hexadecimal data goes on over lines that end with a backslash.
    std::string JoinContinued(std::string line)
    {
        std::string next;
        while (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos) {
            line.pop_back();
            if (!NextLine(next))
                Fail("data cut short");
            std::size_t start = next.find_first_not_of(" \t");
            line += start == std::string::npos ? "" : next.substr(start);
        }
        return line;
    }

    TRegNode* ParseKey(TRegNode& root, const std::string& line)
    {
        if (line.back() != ']' || line.size() < 3 || line[1] == '-')
            Fail("bad key line");
        std::vector<std::string> parts = SplitKeyPath(line.substr(1, line.size() - 2));
        if (parts.empty() || !SameName(parts.front(), RootName))
            Fail("key outside HKEY_CURRENT_USER");
        if (parts.size() > MaxKeyDepth)
            Fail("key nested too deeply");
        TRegNode* node = &root;
        for (std::size_t i = 1; i < parts.size(); ++i) {
            TRegNode* next = node->FindSubkey(parts[i]);
            if (!next) {
                auto made = std::make_shared<TRegNode>();
                made->Name = parts[i];
                next = made.get();
                node->Subkeys.emplace(parts[i], std::move(made));
            }
            node = next;
        }
        return node;
    }

    std::string ParseQuoted(const std::string& line, std::size_t& at)
    {
        if (at >= line.size() || line[at] != '"')
            Fail("expected a quoted text");
        std::string text;
        for (++at; at < line.size(); ++at) {
            char c = line[at];
            if (c == '"') {
                ++at;
                return text;
            }
            if (c == '\\' && at + 1 < line.size() && (line[at + 1] == '\\' || line[at + 1] == '"'))
                c = line[++at];
            text += c;
        }
        Fail("unterminated text");
    }

    std::vector<std::uint8_t> ParseHexBytes(const std::string& digits)
    {
        std::vector<std::uint8_t> bytes;
        std::stringstream list(digits);
        std::string item;
        while (std::getline(list, item, ',')) {
            std::size_t first = item.find_first_not_of(" \t");
            std::size_t last = item.find_last_not_of(" \t");
            if (first == std::string::npos)
                Fail("empty byte");
            item = item.substr(first, last - first + 1);
            if (item.size() > 2 || item.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                Fail("bad byte");
            bytes.push_back(static_cast<std::uint8_t>(std::stoul(item, nullptr, 16)));
        }
        return bytes;
    }

    static std::string TextOf(std::vector<std::uint8_t> bytes)
    {
        if (!bytes.empty() && bytes.back() == 0)
            bytes.pop_back();
        return std::string(bytes.begin(), bytes.end());
    }

    void ParseValue(TRegNode& key, const std::string& line)
    {
        std::size_t at = 0;
        std::string name;
        if (line[0] == '@')
            at = 1;
        else
            name = ParseQuoted(line, at);
        if (at >= line.size() || line[at] != '=')
            Fail("expected =");
        std::string data = line.substr(at + 1);

        TRegValue value;
        if (!data.empty() && data[0] == '"') {
            std::size_t pos = 0;
            value = TRegValue::String(ParseQuoted(data, pos));
            if (pos != data.size())
                Fail("text after the value");
        } else if (data.rfind("dword:", 0) == 0) {
            std::string digits = data.substr(6);
            if (digits.size() != 8 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                Fail("bad dword");
            value = TRegValue::DWord(static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16)));
        } else if (data.rfind("hex:", 0) == 0) {
            value = TRegValue::Binary(ParseHexBytes(data.substr(4)));
        } else if (data.rfind("hex(", 0) == 0) {
            std::size_t close = data.find("):");
            if (close == std::string::npos || close == 4 || close > 12
                || data.substr(4, close - 4).find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                Fail("bad hex type");
            auto type = static_cast<TRegType>(std::stoul(data.substr(4, close - 4), nullptr, 16));
            auto bytes = ParseHexBytes(data.substr(close + 2));
            if (type == TRegType::Sz || type == TRegType::ExpandSz)
                value = {type, TextOf(std::move(bytes)), 0, {}};
            else if (type == TRegType::DWord && bytes.size() == 4)
                value = TRegValue::DWord(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
            else
                value = {type, {}, 0, std::move(bytes)};
        } else {
            Fail("unknown value type");
        }
        key.Values.Set(name, std::move(value));
    }

    [[noreturn]] void Fail(const std::string& what)
    {
        throw ERegFileFormat("line " + std::to_string(lineNumber_) + ": " + what);
    }

    const std::string& text_;
    std::size_t pos_ = 0;
    int lineNumber_ = 0;
};

} // namespace

std::string FormatRegFile(const TRegNode& root)
{
    std::string out = "REGEDIT4\n\n";
    for (const auto& [name, child] : root.Subkeys)
        FormatKey(out, *child, std::string(RootName) + "\\" + child->Name);
    return out;
}

std::unique_ptr<TRegNode> ParseRegFile(const std::string& text)
{
    return TParser(text).Parse();
}

} // namespace morva
