#include "engine/TextRules.h"

#include <algorithm>

namespace morva {
namespace {

constexpr char Ellipsis = '\x85';

bool IsLatin(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

std::string Trim(std::string_view text)
{
    std::size_t first = 0, last = text.size();
    while (first < last && IsTrimmed(text[first]))
        ++first;
    while (last > first && IsTrimmed(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

// Position just past the group that opens at `open`, or npos when the text ends first.
std::size_t GroupEnd(std::string_view text, std::size_t open, char opening, char closing)
{
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == opening)
            ++depth;
        else if (text[i] == closing && --depth == 0)
            return i + 1;
    }
    return std::string_view::npos;
}

// Removes brace groups and stray closing braces; false when a group never closes.
bool RemoveBraceGroups(std::string& t)
{
    for (std::size_t at; (at = t.find_first_of("{}")) != std::string::npos;) {
        if (t[at] == '}') {
            t.erase(at, 1);
            continue;
        }
        const std::size_t end = GroupEnd(t, at, '{', '}');
        if (end == std::string::npos)
            return false;
        t.erase(at, end - at);
    }
    return true;
}

void TidyBlanks(std::string& t)
{
    std::size_t i = 0;
    while (i + 1 < t.size()) {
        const char c = t[i], next = t[i + 1];
        if ((c == ' ' || c == '(' || c == '<') && next == ' ')
            t.erase(i + 1, 1);
        else if (c == ' ' && (next == ')' || next == '>'))
            t.erase(i, 1);
        else
            ++i;
    }
}

bool EndsWithDan(std::string_view t)
{
    return t.ends_with("\xE4\xE0\xED");
}

void DotsToEllipsis(std::string& t)
{
    for (std::size_t i = 0; i + 3 <= t.size();) {
        if (t.compare(i, 3, "...") != 0) {
            ++i;
            continue;
        }
        t.erase(i + 1, t.compare(i, 4, "....") == 0 ? 3 : 2);
        t[i] = Ellipsis;
    }
}

// Drops the homonym number or Roman numeral that ends a reference.
void DropReferenceNumber(std::string& t)
{
    const std::size_t n = t.size();
    if (n >= 3 && IsDigit(t[n - 1]) && t[n - 2] == ' ' && t[n - 3] == ',')
        t.erase(n - 3);
    else if (n >= 2 && IsDigit(t[n - 1]) && (t[n - 2] == ' ' || t[n - 2] == ','))
        t.erase(n - 2);

    const std::size_t space = t.rfind(' ');
    if (space == std::string::npos || space < 3)
        return;
    for (std::size_t i = space + 1; i < t.size(); ++i)
        if (t[i] != 'I' && t[i] != 'i')
            return;
    t.erase(space);
}

} // namespace

bool IsBlankText(std::string_view text)
{
    for (char c : text)
        if (c != ' ' && c != '#')
            return false;
    return true;
}

std::string NormalizeEntryText(std::string_view text)
{
    std::string t = IsBlankText(text) ? std::string() : std::string(text);
    if (!RemoveBraceGroups(t))
        return {};
    t = Trim(t);
    TidyBlanks(t);

    if (t.starts_with("\xF1\xEC."))                 // "см."
        t.replace(0, 3, "=");
    if (t.starts_with("\x9D\xE0\xF0\xE0\xED\xE3.")) // "қаранг."
        t.erase(1, 5);
    if (t.starts_with("\x8D.") || t.starts_with("\x9D.")) // "Қ." / "қ."
        t.replace(0, 2, "=");
    if (t.size() > 4 && t.starts_with("\xEE\xF2 ") && IsLatin(t[3])) { // "от " + Latin word
        t.erase(0, 1);
        t[0] = '=';
    }
    // A Latin word or a number with the suffix "дан" ("from") refers to that word.
    if (t.size() > 3 && EndsWithDan(t) && (IsDigit(t[t.size() - 4]) || IsLatin(t[t.size() - 4])))
        t = "=" + Trim(std::string_view(t).substr(0, t.size() - 3));
    if (t.size() > 4 && EndsWithDan(t)) {
        const char joint = t[t.size() - 4], before = t[t.size() - 5];
        if ((joint == ' ' || joint == '-' || IsDigit(joint)) && (IsDigit(before) || IsLatin(before)))
            t = "=" + Trim(std::string_view(t).substr(0, t.size() - 4));
    }
    if (t.starts_with("= "))
        t.erase(1, 1);
    if (t.starts_with("* "))
        t.erase(1, 1);
    DotsToEllipsis(t);
    if (t.starts_with('='))
        DropReferenceNumber(t);
    return Trim(t);
}

std::string MatchForm(std::string_view text)
{
    std::string t = NormalizeEntryText(text);
    t.erase(0, std::min(t.find_first_not_of(')'), t.size()));
    for (std::size_t at; (at = t.find_first_of("()")) != std::string::npos;) {
        if (t[at] == ')')
            return {};
        const std::size_t end = GroupEnd(t, at, '(', ')');
        if (end == std::string::npos)
            return {};
        t.erase(at, end - at);
    }
    return NormalizeEntryText(t);
}

std::string TrimParentheticals(std::string_view text)
{
    std::string t = Trim(text);
    while (t.starts_with('(')) {
        const std::size_t end = GroupEnd(t, 0, '(', ')');
        t.erase(0, end == std::string::npos ? t.size() : end);
    }
    const std::size_t open = t.find('(');
    if (open != std::string::npos) {
        const std::size_t found = GroupEnd(t, open, '(', ')');
        const std::size_t end = found == std::string::npos ? t.size() : found;
        bool latin = false;
        for (std::size_t i = open; i < end && !latin; ++i)
            latin = IsLatin(t[i]);
        t.erase(latin ? open : end);
    }
    return Trim(t);
}

bool ContainsWholeWord(std::string_view word, std::string_view phrase)
{
    if (word.size() < 2)
        return false;
    const bool openLeft = word.front() == '-' || word.front() == Ellipsis;
    const bool openRight = word.back() == '-' || word.back() == Ellipsis;
    if (openLeft)
        word.remove_prefix(1);
    if (openRight && !word.empty())
        word.remove_suffix(1);
    if (word.size() < 2 || word.size() > phrase.size())
        return false;
    for (std::size_t at = 0; at + word.size() <= phrase.size(); ++at) {
        if (CompareHeadwords(word, phrase.substr(at, word.size())) != 0)
            continue;
        const std::size_t after = at + word.size();
        const bool leftHolds = openLeft || at == 0 || IsWordSeparator(static_cast<unsigned char>(phrase[at - 1]));
        const bool rightHolds =
            openRight || after == phrase.size() || IsWordSeparator(static_cast<unsigned char>(phrase[after]));
        if (leftHolds && rightHolds)
            return true;
    }
    return false;
}

} // namespace morva
