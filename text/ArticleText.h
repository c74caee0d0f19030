#pragma once
// An article's HTML as Unicode: the transcription inside the phonetic font element is IPA93
// font bytes, everything else dictionary text. The markup itself is ASCII and passes through.

#include <string>
#include <string_view>

namespace morva {

inline constexpr std::string_view TranscriptionFontOpen = "<font face=\"SILManuscriptIPA\">";
inline constexpr std::string_view FontClose = "</font>";

std::u16string ArticleToWide(std::string_view html);

} // namespace morva
