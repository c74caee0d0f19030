#pragma once
// The main window's own settings between runs: the bars, stay-on-top, the language pair and
// the Latin Uzbek switches, the selection watch, the desktop key and the word-finding switches, as string values
// under \Software\Kovrak\Morva\Settings.

#include "engine/Language.h"
#include "platform/Registry.h"

namespace morva {

inline constexpr const char* SettingsKeyPath = "\\Software\\Kovrak\\Morva\\Settings";

struct TShellSettings {
    bool EditBarVisible = true;
    bool LangBarVisible = true;
    bool ServiceBarVisible = true;
    bool StayOnTop = false;
    Language SrcLang = English;
    Language DestLang = Uzbek;
    // Latin Uzbek typed in the search field becomes Cyrillic.
    bool UzbekLatinInput = true;
    // Cards show their Uzbek text in the Latin alphabet.
    bool UzbekLatinCards = false;
    // A word highlighted in another application shows its card near the pointer.
    bool WatchSelection = false;
    // ... only when Ctrl is held while it is highlighted.
    bool WatchSelectionCtrl = false;
    // A key that the desktop gives the program (where it offers the GlobalShortcuts portal)
    // looks up the highlighted word.
    bool DesktopKey = true;
    // Under the search field: the base word of a typed form, and the nearest headwords of a
    // misspelling; and the search inside the articles.
    bool WordFormsHint = true;
    bool SpellingHint = true;
    bool ArticleSearch = true;
};

// Never fails: what cannot be read keeps its default, and the pair is always a valid one.
TShellSettings ReadSettings(IRegistry& registry);
// Never fails: a failed write ends the saving; what was written before it stays.
void SaveSettings(IRegistry& registry, const TShellSettings& settings);

} // namespace morva
