#include "tests/support/TestFolders.h"

#include <cstdlib>
#include <stdexcept>

namespace morva::test {
namespace {

std::filesystem::path FromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value)
        throw std::runtime_error(std::string(name) + " is not set; run the tests through ctest");
    return value;
}

} // namespace

void PrepareTestFolders()
{
    namespace fs = std::filesystem;
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"})
        fs::create_directories(FromEnvironment(name));
    fs::permissions(FromEnvironment("XDG_RUNTIME_DIR"), fs::perms::owner_all, fs::perm_options::replace);
}

std::filesystem::path FreshFolder(const std::string& name)
{
    auto folder = FromEnvironment("HOME") / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace morva::test
