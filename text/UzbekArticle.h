#pragma once
// An article shown with its Uzbek in the Latin alphabet. The article's layout tells its two
// sides apart: the headword side (bold headline, text before " – ", link texts) is in the
// source language, the translations (the indented cell, text after " – ") in the target
// language. Markup, link targets, the Russian labels in italics and the transcription stay
// as they are, so links keep working.

#include <string>
#include <string_view>

namespace morva {

// Which sides of an article are Uzbek.
struct TUzbekSides {
    bool Source = false;
    bool Target = false;
};

// Dictionary text in, dictionary text out: the Latin alphabet needs only ASCII, ‘ and ’.
std::string ArticleInUzbekLatin(std::string_view html, TUzbekSides uzbek);

} // namespace morva
