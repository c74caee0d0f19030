#include "engine/TextRules.h"

#include <algorithm>
#include <optional>
#include <vector>

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

std::string Trim(std::string_view text)
{
    return std::string(TrimmedText(text));
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

// Removes the groups that open with `opening`, scanning once from the left (what deleting the
// first group again and again comes to). A closing byte outside a group is dropped, or makes
// the result nullopt when `strayClosingFails`; so does a group that never closes.
std::optional<std::string> RemoveGroups(std::string_view t, char opening, char closing, bool strayClosingFails)
{
    std::string kept;
    kept.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        if (t[i] == closing) {
            if (strayClosingFails)
                return std::nullopt;
            ++i;
        } else if (t[i] == opening) {
            const std::size_t end = GroupEnd(t, i, opening, closing);
            if (end == std::string_view::npos)
                return std::nullopt;
            i = end;
        } else {
            kept += t[i++];
        }
    }
    return kept;
}

// No space after a space, "(" or "<", and none before ")" or ">".
std::string TidyBlanks(std::string_view t)
{
    std::string tidy;
    tidy.reserve(t.size());
    for (char c : t) {
        const char last = tidy.empty() ? '\0' : tidy.back();
        if ((last == ' ' || last == '(' || last == '<') && c == ' ')
            continue;
        if (last == ' ' && (c == ')' || c == '>'))
            tidy.back() = c;
        else
            tidy += c;
    }
    return tidy;
}

// "=" and the trimmed word.
std::string ReferenceTo(std::string_view word)
{
    std::string reference = "=";
    reference += Trim(word);
    return reference;
}

bool EndsWithDan(std::string_view t)
{
    return t.ends_with("\xE4\xE0\xED");
}

// Three or four dots become one ellipsis.
std::string DotsToEllipsis(std::string_view t)
{
    std::string out;
    out.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        if (t.substr(i, 3) == "...") {
            out += Ellipsis;
            i += t.substr(i, 4) == "...." ? 4 : 3;
        } else {
            out += t[i++];
        }
    }
    return out;
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

std::string_view TrimmedText(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32)
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
        text.remove_suffix(1);
    return text;
}

bool IsBlankText(std::string_view text)
{
    for (char c : text)
        if (c != ' ' && c != '#')
            return false;
    return true;
}

std::string NormalizeEntryText(std::string_view text)
{
    const auto unbraced = RemoveGroups(IsBlankText(text) ? std::string_view() : text, '{', '}', false);
    if (!unbraced)
        return {};
    std::string t = TidyBlanks(Trim(*unbraced));

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
        t = ReferenceTo(std::string_view(t).substr(0, t.size() - 3));
    if (t.size() > 4 && EndsWithDan(t)) {
        const char joint = t[t.size() - 4], before = t[t.size() - 5];
        if ((joint == ' ' || joint == '-' || IsDigit(joint)) && (IsDigit(before) || IsLatin(before)))
            t = ReferenceTo(std::string_view(t).substr(0, t.size() - 4));
    }
    if (t.starts_with("= "))
        t.erase(1, 1);
    if (t.starts_with("* "))
        t.erase(1, 1);
    t = DotsToEllipsis(t);
    if (t.starts_with('='))
        DropReferenceNumber(t);
    return Trim(t);
}

std::string MatchForm(std::string_view text)
{
    const std::string t = NormalizeEntryText(text);
    const auto ungrouped = RemoveGroups(std::string_view(t).substr(std::min(t.find_first_not_of(')'), t.size())), '(', ')', true);
    return ungrouped ? NormalizeEntryText(*ungrouped) : std::string();
}

std::string TrimParentheticals(std::string_view text)
{
    const std::string trimmed = Trim(text);
    std::string_view t = trimmed;
    while (t.starts_with('('))
        t.remove_prefix(std::min(GroupEnd(t, 0, '(', ')'), t.size()));
    const std::size_t open = t.find('(');
    if (open != std::string_view::npos) {
        const std::size_t end = std::min(GroupEnd(t, open, '(', ')'), t.size());
        const auto group = t.substr(open, end - open);
        const bool latin = std::any_of(group.begin(), group.end(), IsLatin);
        t = t.substr(0, latin ? open : end);
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
    const auto weight = [](char c) { return CollationWeights[static_cast<unsigned char>(c)]; };
    // Knuth-Morris-Pratt over collation weights: every start where the piece of the phrase
    // compares equal to the word, in linear time however long the texts.
    std::vector<std::size_t> border(word.size(), 0);
    for (std::size_t i = 1, k = 0; i < word.size(); ++i) {
        while (k > 0 && weight(word[i]) != weight(word[k]))
            k = border[k - 1];
        if (weight(word[i]) == weight(word[k]))
            ++k;
        border[i] = k;
    }
    for (std::size_t i = 0, k = 0; i < phrase.size(); ++i) {
        while (k > 0 && weight(phrase[i]) != weight(word[k]))
            k = border[k - 1];
        if (weight(phrase[i]) == weight(word[k]))
            ++k;
        if (k < word.size())
            continue;
        const std::size_t at = i + 1 - word.size(), after = i + 1;
        const bool leftHolds = openLeft || at == 0 || IsWordSeparator(static_cast<unsigned char>(phrase[at - 1]));
        const bool rightHolds =
            openRight || after == phrase.size() || IsWordSeparator(static_cast<unsigned char>(phrase[after]));
        if (leftHolds && rightHolds)
            return true;
        k = border[k - 1];
    }
    return false;
}

} // namespace morva
