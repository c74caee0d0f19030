#include "engine/FileReplace.h"

#include "engine/FileAccess.h"
#include "engine/Printable.h"

#include <cstring>
#include <string>
#include <string_view>

namespace morva {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& target, const std::string& why)
{
    throw FileWriteError(Printable(target.string()) + ": cannot be written (" + why + ")");
}

} // namespace

void RequireWritableTarget(const std::filesystem::path& target)
{
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        Fail(target, "it is a folder; give the name of the file to write");
}

void ReplaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes)
{
    RequireWritableTarget(target);
    try {
        ReplaceFileAtomically(target, {reinterpret_cast<const char*>(bytes.data()), bytes.size()},
                              TNewFileMode::Usual);
    } catch (const EFileAccess& failure) {
        Fail(target, std::strerror(failure.Error()));
    }
}

} // namespace morva
