#pragma once
// Phonetic transcriptions are stored in the 8-bit layout of the legacy IPA font the cards
// show them with (SIL IPA93). These convert between that layout and Unicode IPA.

#include <array>
#include <string>
#include <string_view>

namespace morva {

struct IpaGlyph {
    unsigned char byte;
    char16_t unicode[2]; // one character, or two (a contour tone, a barred letter); 0 pads
};

// The IPA93 layout: every byte with an IPA meaning, in byte order, and what it stands for.
inline constexpr std::array<IpaGlyph, 218> Ipa93Glyphs = {{
    {0x20, {0x0020}},                  // space
    {0x21, {0x030B}},                  // double acute
    {0x22, {0x0131}},                  // dotless i
    {0x23, {0x0304}},                  // macron
    {0x24, {0x0300}},                  // grave
    {0x25, {0x030F}},                  // double grave
    {0x26, {0x030C}},                  // wedge
    {0x27, {0x02BC}},                  // apostrophe (ejective)
    {0x28, {0x0306}},                  // breve
    {0x29, {0x0303}},                  // superscript tilde
    {0x2A, {0x030A}},                  // over-ring
    {0x2B, {0x031F}},                  // subscript plus
    {0x2C, {0x002C}},                  // comma
    {0x2D, {0x0324}},                  // subscript umlaut
    {0x2E, {0x002E}},                  // period
    {0x2F, {0x002F}},                  // slash
    {0x30, {0x0330}},                  // subscript tilde
    {0x31, {0x0318}},                  // advancing sign
    {0x32, {0x0319}},                  // retracting sign
    {0x33, {0x031D}},                  // raising sign
    {0x34, {0x031E}},                  // lowering sign
    {0x35, {0x032A}},                  // subscript bridge
    {0x36, {0x033B}},                  // subscript square
    {0x37, {0x031C}},                  // subscript left half-ring
    {0x38, {0x0325}},                  // under-ring
    {0x39, {0x032F}},                  // subscript arch
    {0x3A, {0x02E1}},                  // superscript l
    {0x3B, {0x029F}},                  // small capital l
    {0x3C, {0x207F}},                  // superscript n
    {0x3D, {0x0320}},                  // under-bar
    {0x3E, {0x02D1}},                  // half-length mark
    {0x3F, {0x0294}},                  // glottal stop
    {0x40, {0x0301}},                  // acute
    {0x41, {0x0251}},                  // script a
    {0x42, {0x03B2}},                  // beta
    {0x43, {0x00E7}},                  // c cedilla
    {0x44, {0x00F0}},                  // eth
    {0x45, {0x025B}},                  // epsilon
    {0x46, {0x0264}},                  // rams horns
    {0x47, {0x0262}},                  // small capital g
    {0x48, {0x02B0}},                  // superscript h
    {0x49, {0x026A}},                  // small capital i
    {0x4A, {0x02B2}},                  // superscript j
    {0x4B, {0x029C}},                  // small capital h
    {0x4C, {0x026E}},                  // l-yogh digraph
    {0x4D, {0x0271}},                  // left-tail m at right
    {0x4E, {0x014B}},                  // eng
    {0x4F, {0x00F8}},                  // slashed o
    {0x50, {0x0275}},                  // barred o
    {0x51, {0x00E6}},                  // ash
    {0x52, {0x027E}},                  // fish-hook r
    {0x53, {0x0283}},                  // esh
    {0x54, {0x03B8}},                  // theta
    {0x55, {0x028A}},                  // upsilon
    {0x56, {0x028B}},                  // cursive v
    {0x57, {0x02B7}},                  // superscript w
    {0x58, {0x03C7}},                  // chi
    {0x59, {0x028F}},                  // small capital y
    {0x5A, {0x0292}},                  // yogh (ezh)
    {0x5B, {0x005B}},                  // left square bracket
    {0x5C, {0x005C}},                  // backslash
    {0x5D, {0x005D}},                  // right square bracket
    {0x5E, {0x0302}},                  // circumflex
    {0x5F, {0x0308}},                  // umlaut
    {0x60, {0x0329}},                  // syllabicity mark
    {0x61, {0x0061}},                  // lowercase a
    {0x62, {0x0062}},                  // lowercase b
    {0x63, {0x0063}},                  // lowercase c
    {0x64, {0x0064}},                  // lowercase d
    {0x65, {0x0065}},                  // lowercase e
    {0x66, {0x0066}},                  // lowercase f
    {0x67, {0x0261}},                  // lowercase g (opentail)
    {0x68, {0x0068}},                  // lowercase h
    {0x69, {0x0069}},                  // lowercase i
    {0x6A, {0x006A}},                  // lowercase j
    {0x6B, {0x006B}},                  // lowercase k
    {0x6C, {0x006C}},                  // lowercase l
    {0x6D, {0x006D}},                  // lowercase m
    {0x6E, {0x006E}},                  // lowercase n
    {0x6F, {0x006F}},                  // lowercase o
    {0x70, {0x0070}},                  // lowercase p
    {0x71, {0x0071}},                  // lowercase q
    {0x72, {0x0072}},                  // lowercase r
    {0x73, {0x0073}},                  // lowercase s
    {0x74, {0x0074}},                  // lowercase t
    {0x75, {0x0075}},                  // lowercase u
    {0x76, {0x0076}},                  // lowercase v
    {0x77, {0x0077}},                  // lowercase w
    {0x78, {0x0078}},                  // lowercase x
    {0x79, {0x0079}},                  // lowercase y
    {0x7A, {0x007A}},                  // lowercase z
    {0x7B, {0x0280}},                  // small capital r
    {0x7C, {0x031A}},                  // corner
    {0x7D, {0x027D}},                  // right-tail r
    {0x7E, {0x033D}},                  // over-cross
    {0x80, {0x02E9, 0x02E7}},          // low rising contour
    {0x81, {0x0252}},                  // turned script a
    {0x82, {0x0258}},                  // reversed e
    {0x83, {0x0361}},                  // top tie bar
    {0x84, {0x2016}},                  // double vertical line
    {0x85, {0x02E5, 0x02E7}},          // high falling contour
    {0x86, {0x02E5, 0x02E9}},          // falling contour
    {0x87, {0x0298}},                  // bulls eye
    {0x88, {0x030B}},                  // double acute high
    {0x89, {0x030B}},                  // double acute high narrow
    {0x8A, {0x02E5}},                  // extra-high tone bar
    {0x8B, {0x2191}},                  // up arrow
    {0x8C, {0x0250}},                  // turned a
    {0x8D, {0x0254}},                  // open o
    {0x8E, {0x01C0}},                  // dental click
    {0x8F, {0x0301}},                  // acute high
    {0x90, {0x0301}},                  // acute high narrow
    {0x91, {0x02E6}},                  // high tone bar
    {0x92, {0x01C1}},                  // lateral click (double pipe)
    {0x93, {0x0304}},                  // macron high
    {0x94, {0x0304}},                  // macron high narrow
    {0x95, {0x02E7}},                  // mid tone bar
    {0x96, {0x007C}},                  // vertical line
    {0x97, {0x01C3}},                  // click (exclamation)
    {0x98, {0x0300}},                  // grave high
    {0x99, {0x0300}},                  // grave high narrow
    {0x9A, {0x02E8}},                  // low tone bar
    {0x9B, {0x2193}},                  // down arrow
    {0x9C, {0x01C2}},                  // double-barred pipe (palatal click)
    {0x9D, {0x030F}},                  // double grave high
    {0x9E, {0x030F}},                  // double grave high narrow
    {0x9F, {0x02E9}},                  // extra-low tone bar
    {0xA1, {0x030A}},                  // over-ring narrow
    {0xA2, {0x031E}},                  // lowering sign narrow
    {0xA3, {0x031D}},                  // raising sign narrow
    {0xA4, {0x032C}},                  // subscript wedge
    {0xA5, {0x0325}},                  // under-ring narrow
    {0xA6, {0x0339}},                  // subscript right half-ring
    {0xA7, {0x0282}},                  // right-tail s
    {0xA8, {0x0279}},                  // turned r
    {0xA9, {0x0260}},                  // hooktop g
    {0xAA, {0x0319}},                  // retracting sign narrow
    {0xAB, {0x0259}},                  // schwa
    {0xAC, {0x0289}},                  // barred u
    {0xAD, {0x0320}},                  // under-bar narrow
    {0xAE, {0x0131, 0x0335}},          // dotless barred i
    {0xAF, {0x0276}},                  // small capital o-e digraph
    {0xB0, {0x033A}},                  // inverted subscript bridge
    {0xB1, {0x031F}},                  // subscript plus narrow
    {0xB2, {0x0274}},                  // small capital n
    {0xB3, {0x02E4}},                  // superscript reversed glottal stop
    {0xB4, {0x028E}},                  // turned y
    {0xB5, {0x026F}},                  // turned m
    {0xB8, {0x0278}},                  // phi
    {0xB9, {0x02A2}},                  // barred reversed glottal stop
    {0xBA, {0x0253}},                  // hooktop b
    {0xBB, {0x032F}},                  // subscript arch narrow
    {0xBC, {0x0330}},                  // subscript tilde narrow
    {0xBD, {0x0290}},                  // right-tail z
    {0xBE, {0x0237}},                  // dotless j
    {0xBF, {0x0153}},                  // o-e digraph
    {0xC0, {0x0295}},                  // reversed glottal stop
    {0xC1, {0x0318}},                  // advancing sign narrow
    {0xC2, {0x026C}},                  // belted l
    {0xC3, {0x028C}},                  // turned v
    {0xC4, {0x0263}},                  // gamma
    {0xC6, {0x029D}},                  // curly-tail j
    {0xC7, {0x02CC}},                  // secondary stress
    {0xC8, {0x02C8}},                  // primary stress
    {0xC9, {0x1D50}},                  // superscript m
    {0xCB, {0x1DAE}},                  // superscript left-tail n
    {0xCC, {0x2197}},                  // upward diagonal arrow
    {0xCD, {0x2198}},                  // downward diagonal arrow
    {0xCE, {0x025C}},                  // reversed epsilon
    {0xCF, {0x025E}},                  // closed reversed epsilon
    {0xD0, {0x0324}},                  // subscript umlaut narrow
    {0xD1, {0x033C}},                  // subscript seagull
    {0xD2, {0x0281}},                  // inverted small capital r
    {0xD3, {0x027B}},                  // turned r right tail
    {0xD4, {0x1D51}},                  // superscript eng
    {0xD5, {0x02DE}},                  // rhotic hook
    {0xD6, {0x2010}},                  // hyphen
    {0xD7, {0x0284}},                  // hooktop barred dotless j
    {0xD8, {0x02E7, 0x02E5}},          // high rising contour
    {0xD9, {0x02E7, 0x02E9}},          // low falling contour
    {0xDA, {0x030B}},                  // double acute narrow
    {0xDB, {0x0301}},                  // acute narrow
    {0xDC, {0x0304}},                  // macron narrow
    {0xDD, {0x0300}},                  // grave narrow
    {0xDE, {0x030F}},                  // double grave narrow
    {0xDF, {0x0302}},                  // circumflex narrow
    {0xE0, {0x030C}},                  // wedge narrow
    {0xE1, {0x0306}},                  // breve narrow
    {0xE2, {0x0303}},                  // superscript tilde narrow
    {0xE3, {0x028D}},                  // turned w
    {0xE4, {0x027A}},                  // turned long-leg r
    {0xE5, {0x0270}},                  // turned m right leg
    {0xE6, {0x0302}},                  // circumflex high narrow
    {0xE7, {0x0265}},                  // turned h
    {0xE8, {0x02E9, 0x02E5}},          // rising contour
    {0xE9, {0x0302}},                  // circumflex high
    {0xEA, {0x0256}},                  // right-tail d
    {0xEB, {0x0257}},                  // hooktop d
    {0xEC, {0x02E0}},                  // superscript gamma
    {0xED, {0x203F}},                  // bottom tie bar
    {0xEE, {0x0267}},                  // hooked heng
    {0xEF, {0x025F}},                  // barred dotless j
    {0xF0, {0x0127}},                  // crossed h
    {0xF1, {0x026D}},                  // right-tail l
    {0xF2, {0x0334}},                  // superimposed tilde
    {0xF3, {0x030C}},                  // wedge high narrow
    {0xF4, {0x030C}},                  // wedge high
    {0xF5, {0x0299}},                  // small capital b
    {0xF6, {0x0268}},                  // barred i
    {0xF7, {0x0273}},                  // right-tail n
    {0xF8, {0x0272}},                  // left-tail n at left
    {0xF9, {0x02D0}},                  // length mark
    {0xFA, {0x0266}},                  // hooktop h
    {0xFB, {0x02A1}},                  // barred glottal stop
    {0xFC, {0x0291}},                  // curly-tail z
    {0xFD, {0x029B}},                  // hooktop small capital g
    {0xFE, {0x0255}},                  // curly-tail c
    {0xFF, {0x0288}},                  // right-tail t
}};

// Bytes an article would read as markup and the text rules as grouping. The encoder writes a
// variant of the same character instead (breve, tilde and wedge have narrow variants) where
// the layout has one; the data compiler rejects a transcription that still contains one.
inline constexpr std::string_view IpaReservedBytes = "<>&\"(){}";

// Bytes without an IPA meaning (controls, a few unassigned positions) decode to U+FFFD, so a
// damaged transcription shows as replacement marks rather than as wrong sounds.
std::u16string DecodeIpa(std::string_view bytes);

struct IpaEncoding {
    std::string bytes;
    // Characters no byte stands for, each once, in order of first appearance; empty on success.
    std::u16string unencodable;
};

// Longest match first, so two-character glyphs win over their first character alone.
// ASCII g is taken for the IPA letter ɡ (U+0261), which is what people type.
IpaEncoding EncodeIpa(std::u16string_view text);

} // namespace morva
