#include "shell/Settings.h"

#include "platform/Registry.h"

#include <charconv>
#include <exception>
#include <memory>
#include <optional>
#include <string>

namespace morva {
namespace {

// Decimal text, with an optional sign; anything else does not parse.
std::optional<int> ParseDecimal(const std::string& text)
{
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    int value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        return std::nullopt;
    return value;
}

// Raised by a value of a type other than a string: it ends the reading.
struct EWrongType : std::exception {};

class TSettingsReader {
public:
    explicit TSettingsReader(std::unique_ptr<IRegistryKey> key) : key_(std::move(key)) {}

    int Integer(const char* name, int fallback) const
    {
        if (!key_)
            return fallback;
        auto value = key_->ReadValue(name);
        if (!value)
            return fallback;
        if (!value->IsString())
            throw EWrongType{};
        return ParseDecimal(value->Text).value_or(fallback);
    }

private:
    std::unique_ptr<IRegistryKey> key_;
};

bool ValidPair(int src, int dest)
{
    auto valid = [](int language) { return language >= 0 && language < LanguageCount; };
    return valid(src) && valid(dest) && src != dest;
}

} // namespace

TShellSettings ReadSettings(IRegistry& registry)
{
    TShellSettings settings;
    int src = settings.SrcLang;
    int dest = settings.DestLang;
    try {
        // Reading makes the program's key but not its Settings subkey.
        registry.OpenKey(ProgramKeyPath, true);
        TSettingsReader reader(registry.OpenKey(SettingsKeyPath, false));
        settings.EditBarVisible = reader.Integer("EditBarVisible", 1) != 0;
        settings.LangBarVisible = reader.Integer("LangBarVisible", 1) != 0;
        settings.ServiceBarVisible = reader.Integer("ServiceBarVisible", 1) != 0;
        settings.StayOnTop = reader.Integer("StayOnTop", 0) != 0;
        src = reader.Integer("SrcLang", src);
        dest = reader.Integer("DestLang", dest);
        settings.UzbekLatinInput = reader.Integer("UzbekLatinInput", 1) != 0;
        settings.UzbekLatinCards = reader.Integer("UzbekLatinCards", 0) != 0;
        settings.WatchSelection = reader.Integer("WatchSelection", 0) != 0;
        settings.WatchSelectionCtrl = reader.Integer("WatchSelectionCtrl", 0) != 0;
        settings.DesktopKey = reader.Integer("DesktopKey", 1) != 0;
        settings.WordFormsHint = reader.Integer("WordFormsHint", 1) != 0;
        settings.SpellingHint = reader.Integer("SpellingHint", 1) != 0;
        settings.ArticleSearch = reader.Integer("ArticleSearch", 1) != 0;
    } catch (const std::exception&) {
        // What was read before the failure applies; the rest keeps its defaults.
    }
    if (ValidPair(src, dest)) {
        settings.SrcLang = Language(src);
        settings.DestLang = Language(dest);
    } else {
        settings.SrcLang = English;
        settings.DestLang = Uzbek;
    }
    return settings;
}

void SaveSettings(IRegistry& registry, const TShellSettings& settings)
{
    const std::pair<const char*, int> values[] = {
        {"EditBarVisible", settings.EditBarVisible},
        {"LangBarVisible", settings.LangBarVisible},
        {"ServiceBarVisible", settings.ServiceBarVisible},
        {"StayOnTop", settings.StayOnTop},
        {"SrcLang", settings.SrcLang},
        {"DestLang", settings.DestLang},
        {"UzbekLatinInput", settings.UzbekLatinInput},
        {"UzbekLatinCards", settings.UzbekLatinCards},
        {"WatchSelection", settings.WatchSelection},
        {"WatchSelectionCtrl", settings.WatchSelectionCtrl},
        {"DesktopKey", settings.DesktopKey},
        {"WordFormsHint", settings.WordFormsHint},
        {"SpellingHint", settings.SpellingHint},
        {"ArticleSearch", settings.ArticleSearch},
    };
    try {
        registry.OpenKey(ProgramKeyPath, true);
        for (const auto& [name, value] : values)
            registry.OpenKey(SettingsKeyPath, true)->WriteValue(name, TRegValue::String(std::to_string(value)));
    } catch (const std::exception&) {
        // Saving is quiet: the values written so far stay.
    }
}

} // namespace morva
