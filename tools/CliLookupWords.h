#pragma once
// The words of `morva-cli lookup`, one at a time: the arguments, with "-" standing for the
// lines of standard input. Only one line is held at a time, and a line costs at most
// MaxInputWord bytes however long it is.

#include <cstddef>
#include <istream>
#include <optional>
#include <span>
#include <string>

namespace morva::cli {

// Far longer than any headword or phrase; a longer line is a failed lookup, read past
// without being kept.
inline constexpr std::size_t MaxInputWord = 4096;

struct LookupWord {
    std::string Text; // for a line that is too long, its first MaxInputWord bytes
    bool FromInput = false;
    bool TooLong = false;
    std::size_t Line = 0; // its line number in standard input
};

class TLookupWords {
public:
    TLookupWords(std::span<const std::string> args, std::istream& input) : args_(args), input_(input) {}

    std::optional<LookupWord> Next();

private:
    std::optional<LookupWord> NextLine();

    std::span<const std::string> args_;
    std::size_t nextArg_ = 0;
    bool readingInput_ = false;
    std::istream& input_;
    std::size_t line_ = 0;
};

} // namespace morva::cli
