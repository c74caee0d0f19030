#include "platform/AutostartKey.h"

#include "engine/FileAccess.h"
#include "platform/ConfigFiles.h"
#include "platform/MemoryRegistry.h"

#include <cerrno>
#include <cstring>
#include <sstream>
#include <unistd.h>

namespace morva {
namespace {

struct TArgument {
    std::string Text;
    bool Quoted = false;
};

// Characters that an unquoted Exec argument may not hold.
bool IsReserved(char c)
{
    return std::strchr(" \t\n\"'\\><~|&;$*?#()`", c) != nullptr;
}

std::string EscapeDesktopValue(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case '\n': escaped += "\\n"; break;
        case '\t': escaped += "\\t"; break;
        case '\r': escaped += "\\r"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string UnescapeDesktopValue(const std::string& text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        switch (text[++i]) {
        case 's': plain += ' '; break;
        case 'n': plain += '\n'; break;
        case 't': plain += '\t'; break;
        case 'r': plain += '\r'; break;
        default: plain += text[i];
        }
    }
    return plain;
}

// Windows rules: blanks separate arguments, double quotes group (and are dropped); inside
// them two double quotes stand for one, as a path on Linux may hold one.
std::vector<TArgument> SplitCommandLine(const std::string& line)
{
    std::vector<TArgument> arguments;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        TArgument argument;
        bool inQuotes = false;
        for (; i < line.size() && (inQuotes || (line[i] != ' ' && line[i] != '\t')); ++i) {
            if (line[i] != '"') {
                argument.Text += line[i];
            } else if (inQuotes && i + 1 < line.size() && line[i + 1] == '"') {
                argument.Text += line[++i];
            } else {
                inQuotes = !inQuotes;
                argument.Quoted = true;
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

// Exec rules: blanks separate arguments; inside double quotes a backslash escapes
// " ` $ and \; %% is a percent sign.
std::vector<TArgument> SplitExec(const std::string& exec)
{
    std::vector<TArgument> arguments;
    std::size_t i = 0;
    while (i < exec.size()) {
        if (exec[i] == ' ' || exec[i] == '\t') {
            ++i;
            continue;
        }
        TArgument argument;
        bool inQuotes = false;
        for (; i < exec.size() && (inQuotes || (exec[i] != ' ' && exec[i] != '\t')); ++i) {
            char c = exec[i];
            if (c == '"') {
                inQuotes = !inQuotes;
                argument.Quoted = true;
            } else if (inQuotes && c == '\\' && i + 1 < exec.size()) {
                argument.Text += exec[++i];
            } else if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%') {
                argument.Text += exec[++i];
            } else {
                argument.Text += c;
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

std::string DoubledQuotes(const std::string& text)
{
    std::string doubled;
    for (char c : text)
        doubled += c == '"' ? std::string(2, c) : std::string(1, c);
    return doubled;
}

std::string Slug(const std::string& name)
{
    std::string slug;
    for (char c : name) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            slug += c;
        else if (c >= 'A' && c <= 'Z')
            slug += static_cast<char>(c - 'A' + 'a');
        else
            slug += '-';
    }
    return slug.empty() ? "value" : slug;
}

using TEntryKeys = std::vector<std::pair<std::string, std::string>>;

// Far more than any desktop entry holds, translations and all.
constexpr std::size_t MaxEntrySize = 1 << 20;

// The keys of the [Desktop Entry] group, their values unescaped; nothing for a file that is
// not a readable regular file within the size cap (a FIFO or a link to a device is skipped,
// never waited for or read without end).
std::optional<TEntryKeys> ReadEntry(const std::filesystem::path& file)
{
    std::string content;
    try {
        content = ReadRegularFile(file, TLinks::Follow, MaxEntrySize);
    } catch (const EFileAccess&) {
        return std::nullopt;
    }
    TEntryKeys keys;
    std::istringstream in(content);
    std::string line;
    bool inGroup = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[') {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        std::size_t equals = line.find('=');
        if (!inGroup || line.empty() || line[0] == '#' || equals == std::string::npos)
            continue;
        std::string key = line.substr(0, line.find_last_not_of(" \t", equals - 1) + 1);
        std::size_t start = line.find_first_not_of(" \t", equals + 1);
        keys.emplace_back(key, UnescapeDesktopValue(start == std::string::npos ? "" : line.substr(start)));
    }
    return keys;
}

std::optional<std::string> EntryKey(const TEntryKeys& keys, const char* key)
{
    for (const auto& [name, value] : keys)
        if (name == key)
            return value;
    return std::nullopt;
}

// An entry marked Hidden counts as removed for the desktop, so it is no value here either.
bool IsLive(const TEntryKeys& keys)
{
    return EntryKey(keys, "Hidden").value_or("false") != "true";
}

} // namespace

std::string CommandLineToExec(const std::string& commandLine)
{
    std::string exec;
    for (const TArgument& argument : SplitCommandLine(commandLine)) {
        if (!exec.empty())
            exec += ' ';
        bool quote = argument.Quoted || argument.Text.empty();
        for (char c : argument.Text)
            quote = quote || IsReserved(c);
        if (quote)
            exec += '"';
        for (char c : argument.Text) {
            if (quote && std::strchr("\"`$\\", c))
                exec += '\\';
            if (c == '%')
                exec += '%';
            exec += c;
        }
        if (quote)
            exec += '"';
    }
    return exec;
}

std::string ExecToCommandLine(const std::string& exec)
{
    std::string line;
    for (const TArgument& argument : SplitExec(exec)) {
        if (!line.empty())
            line += ' ';
        line += argument.Quoted ? '"' + DoubledQuotes(argument.Text) + '"' : argument.Text;
    }
    return line;
}

std::unique_ptr<IRegistryKey> TAutostartKey::Open(const std::filesystem::path& configHome)
{
    std::error_code error;
    if (!std::filesystem::is_directory(configHome, error))
        return nullptr;
    return std::unique_ptr<IRegistryKey>(new TAutostartKey(configHome / "autostart"));
}

std::filesystem::path TAutostartKey::FindEntry(const std::string& name) const
{
    std::filesystem::path own = folder_ / (Slug(name) + ".desktop");
    std::error_code error;
    if (std::filesystem::is_regular_file(own, error))
        return own;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
        if (entry.path().extension() != ".desktop")
            continue;
        const auto keys = ReadEntry(entry.path());
        if (keys && SameName(EntryKey(*keys, "Name").value_or(""), name))
            return entry.path();
    }
    return {};
}

std::vector<std::string> TAutostartKey::ValueNames() const
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
        if (entry.path().extension() != ".desktop")
            continue;
        const auto keys = ReadEntry(entry.path());
        if (keys && IsLive(*keys))
            names.push_back(EntryKey(*keys, "Name").value_or(entry.path().stem().string()));
    }
    return names;
}

bool TAutostartKey::HasValue(const std::string& name) const
{
    return ReadValue(name).has_value();
}

std::optional<TRegValue> TAutostartKey::ReadValue(const std::string& name) const
{
    std::filesystem::path file = FindEntry(name);
    if (file.empty())
        return std::nullopt;
    const auto keys = ReadEntry(file);
    const auto exec = keys ? EntryKey(*keys, "Exec") : std::nullopt;
    if (!exec || !IsLive(*keys))
        return std::nullopt;
    return TRegValue::String(ExecToCommandLine(*exec));
}

void TAutostartKey::WriteValue(const std::string& name, const TRegValue& value)
{
    const std::string failure = "Failed to set data for '" + name + "'";
    if (value.Type != TRegType::Sz)
        throw ERegistryError(failure);
    std::filesystem::path file = FindEntry(name);
    if (file.empty())
        file = folder_ / (Slug(name) + ".desktop");
    std::string entry = "[Desktop Entry]\n"
                        "Type=Application\n"
                        "Name=" + EscapeDesktopValue(name) + "\n"
                        "Exec=" + EscapeDesktopValue(CommandLineToExec(value.Text)) + "\n"
                        "Terminal=false\n"
                        "X-GNOME-Autostart-enabled=true\n";
    try {
        CreatePrivateFolders(folder_);
        RemoveStaleTemporaries(file);
        WriteFileAtomically(file, entry);
    } catch (const std::exception&) {
        throw ERegistryError(failure);
    }
}

bool TAutostartKey::DeleteValue(const std::string& name)
{
    std::filesystem::path file = FindEntry(name);
    if (file.empty())
        return false;
    if (unlink(file.c_str()) != 0)
        throw ERegistryError("Failed to delete value '" + name + "': " + std::strerror(errno));
    return true;
}

} // namespace morva
