// compile and decompile: the data compiler and its inverse.

#include "tools/Cli.h"
#include "tools/DictCompiler.h"
#include "tools/DictDecompiler.h"

#include <iostream>

namespace morva::cli {
namespace {

int Compile(const std::string& source, const std::string& output)
{
    try {
        CompileFile(source, output, std::cerr);
        return 0;
    } catch (const std::runtime_error& e) {
        // SourceError and file errors: their messages are UTF-8 already.
        std::cerr << e.what() << '\n';
        return 1;
    }
}

int Decompile(const std::string& file)
{
    const TUzDictionary dict{std::filesystem::path(file)};
    const DictLists lists = ReadLists(dict.Image());
    const std::string source = DecompileLists(lists);
    std::cout << source;
    if (const std::string fault = RoundTripFault(lists, source); !fault.empty()) {
        std::cerr << "morva-cli: this source does not compile back to the same file: " << fault << '\n';
        return 1;
    }
    return 0;
}

} // namespace

std::optional<int> RunCompileCommand(Context& context)
{
    const auto& a = context.Args();
    if (a[0] == "compile" && a.size() == 3)
        return Compile(a[1], a[2]);
    if (a[0] == "decompile" && a.size() == 2)
        return Decompile(a[1]);
    return std::nullopt;
}

} // namespace morva::cli
