#pragma once
// What the main window's search makes of a typed text, as a query on any list: the window,
// the command-line tool and every other lookup of a typed word ask here.

#include "engine/Language.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace morva {

class TUzDictionary;

// Where a search leaves a view of the list.
struct SearchOutcome {
    // The row the search selects, or -1 when it leaves the view's selection as it was.
    std::int32_t Selected = -1;
    // The text once tidied; empty when its normal form is empty.
    std::string Text;
};

// The first of the list's top `rows` rows whose headword does not sort below the text, or -1.
// A view whose list ends before a damaged entry passes its own row count, so the entries
// beyond its rows are never read.
std::int32_t NearestRow(const TUzDictionary& dict, Language list, std::string_view text, std::int32_t rows);

// The search of a typed text in a view that shows the top `rows` rows of the list with
// `selected` selected (or -1): it searches the trimmed text (unless the selected row already
// holds it byte for byte), then tidies the text with the normalisation and searches again
// until the tidy step leaves it alone; one trailing space survives while a phrase is typed.
SearchOutcome SearchAndTidy(const TUzDictionary& dict, Language list, std::string text, std::int32_t selected,
                            std::int32_t rows);

// The headword the search selects for a typed text in the whole list, with nothing selected
// before, or -1.
std::int32_t SearchSelection(const TUzDictionary& dict, Language list, std::string text);

} // namespace morva
