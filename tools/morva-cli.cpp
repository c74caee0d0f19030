// morva-cli: the dictionary from the command line, for users and scripts.
// Arguments and output are UTF-8; engine errors go to standard error with status 1,
// usage errors with status 2.

#include "engine/DictionaryError.h"
#include "text/Utf8.h"
#include "tools/Cli.h"

#include <iostream>

namespace {

constexpr const char* kUsage =
    "usage: morva-cli [--data FILE] info\n"
    "       morva-cli [--data FILE] list en|uz|ru\n"
    "       morva-cli [--data FILE] headword en|uz|ru INDEX\n"
    "       morva-cli [--data FILE] find en|uz|ru TEXT\n"
    "       morva-cli [--data FILE] nearest en|uz|ru TEXT\n"
    "       morva-cli [--data FILE] caption SRC DST\n"
    "       morva-cli compare A B\n"
    "       morva-cli [--data FILE] article SRC DST INDEX [--raw]\n"
    "       morva-cli [--data FILE] lookup [--forms] SRC DST WORD... (- reads words from standard input)\n"
    "       morva-cli [--data FILE] forms en|uz|ru TEXT\n"
    "       morva-cli [--data FILE] suggest en|uz|ru TEXT\n"
    "       morva-cli [--data FILE] search en|uz|ru TEXT\n"
    "       morva-cli normalize TEXT\n"
    "       morva-cli matchform TEXT\n"
    "       morva-cli trimparen TEXT\n"
    "       morva-cli contains WORD PHRASE\n"
    "       morva-cli compile SOURCE OUTPUT\n"
    "       morva-cli decompile FILE\n"
    "Languages are en, uz and ru. Without --data the tool reads Morva.uzd beside itself.\n";

int Run(std::vector<std::string> args)
{
    using namespace morva::cli;
    std::optional<std::string> dataFile;
    if (args.size() >= 2 && args[0] == "--data") {
        dataFile = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty())
        throw UsageError{};
    Context context(std::move(args), std::move(dataFile));
    for (auto group : {RunLookupCommand, RunArticleCommand, RunCompileCommand, RunFindCommand})
        if (auto status = group(context))
            return *status;
    throw UsageError{};
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Run({argv + 1, argv + argc});
    } catch (const morva::cli::UsageError&) {
        std::cerr << kUsage;
        return 2;
    } catch (const morva::InvalidUtf8&) {
        std::cerr << "morva-cli: arguments must be UTF-8\n";
        return 2;
    } catch (const morva::EDictionaryError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
}
