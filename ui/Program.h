#pragma once
// The names every window of the program shares: its caption, its fonts and its icon.

#include <QFont>
#include <QString>

namespace morva {

inline constexpr const char* MainCaption = "Kovrak MORVA";
inline constexpr const char* DisplayFontName = "Arial for KovrMorva";
inline constexpr const char* IpaFontName = "SILManuscriptIPA";
inline constexpr const char* ProgramIconPath = ":/icons/Morva.svg";

// The windows' own text: Tahoma at 11 pixels.
inline QFont WindowFont()
{
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPixelSize(11);
    return tahoma;
}

} // namespace morva
