#include "tools/CliLookupWords.h"

#include <limits>

namespace morva::cli {

std::optional<LookupWord> TLookupWords::Next()
{
    for (;;) {
        if (readingInput_) {
            if (auto word = NextLine())
                return word;
            readingInput_ = false;
        }
        if (nextArg_ == args_.size())
            return std::nullopt;
        const std::string& arg = args_[nextArg_++];
        if (arg != "-")
            return LookupWord{arg};
        readingInput_ = true;
    }
}

std::optional<LookupWord> TLookupWords::NextLine()
{
    // Room for one byte more than a word may have, and for the CR of a CR LF line.
    std::string buffer(MaxInputWord + 2, '\0');
    input_.getline(buffer.data(), std::streamsize(buffer.size()));
    const auto read = std::size_t(input_.gcount());
    if (read == 0 && !input_.good())
        return std::nullopt;
    LookupWord word;
    word.FromInput = true;
    word.Line = ++line_;
    // gcount counts the line break too when there was one.
    std::size_t length = input_.good() ? read - 1 : read;
    if (input_.fail() && !input_.eof()) {
        // The line goes on past the buffer: the rest is skipped, never stored.
        input_.clear();
        input_.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        word.TooLong = true;
    }
    if (!word.TooLong && length > 0 && buffer[length - 1] == '\r')
        --length;
    if (length > MaxInputWord) {
        word.TooLong = true;
        length = MaxInputWord;
    }
    word.Text.assign(buffer.data(), length);
    return word;
}

} // namespace morva::cli
