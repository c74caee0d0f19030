#pragma once
// What every morva-cli command shares: the arguments, the data file and the usage error.

#include "engine/KovrObj.h"

#include <optional>
#include <string>
#include <vector>

namespace morva::cli {

// Thrown for arguments the tool does not understand: usage text, exit status 2.
struct UsageError {};

class Context {
public:
    Context(std::vector<std::string> args, std::optional<std::string> dataFile);

    const std::vector<std::string>& Args() const { return args_; }
    // Loaded on first use, from --data or beside the executable.
    TUzDictionary& Dictionary();

private:
    std::vector<std::string> args_;
    std::optional<std::string> dataFile_;
    std::optional<TUzDictionary> dictionary_;
};

Language ParseLanguage(const std::string& tag);
std::int32_t ParseIndex(const std::string& text);
// A search text from the command line as dictionary text; for the Uzbek list, Latin Uzbek
// becomes Cyrillic as in the program's search field.
std::string SearchTextArg(Language list, const std::string& utf8);
// Prints dictionary text as a UTF-8 line.
int PrintLine(const std::string& dictText);

// Each command group runs the command if it is one of its own; nullopt otherwise.
std::optional<int> RunLookupCommand(Context& context);
std::optional<int> RunArticleCommand(Context& context);
std::optional<int> RunCompileCommand(Context& context);
std::optional<int> RunFindCommand(Context& context);

} // namespace morva::cli
