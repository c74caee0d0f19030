#include "platform/FileRegistry.h"

#include "engine/FileAccess.h"
#include "platform/AutostartKey.h"
#include "platform/ConfigFiles.h"
#include "platform/RegFile.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace morva {
namespace {

// More than any registry of this program can hold: anything larger is not ours.
constexpr std::size_t MaxFileSize = 16 * 1024 * 1024;

bool IsRunKey(const std::string& path)
{
    std::vector<std::string> parts = SplitKeyPath(path);
    std::vector<std::string> run = SplitKeyPath(RunKeyPath);
    return parts.size() == run.size() && std::equal(parts.begin(), parts.end(), run.begin(), SameName);
}

std::string TimeStamp()
{
    std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

} // namespace

TFileRegistry::TFileRegistry(const std::filesystem::path& configHome)
    : configHome_(configHome), file_(configHome / "kovrak-morva" / "registry.reg")
{
    Load();
}

TFileRegistry::TFileRegistry() : TFileRegistry(ConfigHome())
{
}

void TFileRegistry::Load()
{
    RemoveStaleTemporaries(file_);
    try {
        root_ = ParseRegFile(ReadRegularFile(file_, TLinks::Follow, MaxFileSize));
        return;
    } catch (const EFileAccess& failure) {
        if (failure.Fault() == TFileFault::System && failure.Error() == ENOENT)
            return;
    } catch (const ERegFileFormat&) {
    }

    // Keep the damaged file for the user under a name of its own.
    std::error_code error;
    std::filesystem::path aside = file_.string() + ".damaged-" + TimeStamp();
    for (int n = 1; std::filesystem::exists(aside, error); ++n)
        aside = file_.string() + ".damaged-" + TimeStamp() + "-" + std::to_string(n);
    if (std::rename(file_.c_str(), aside.c_str()) == 0)
        setAside_ = aside;
    else
        refuseWrites_ = true;
}

void TFileRegistry::Store()
{
    if (refuseWrites_)
        throw ERegistryError("The registry file " + file_.string() + " is damaged and could not be set aside.");
    try {
        std::string text = FormatRegFile(*root_);
        CreatePrivateFolders(file_.parent_path());
        WriteFileAtomically(file_, text);
    } catch (const std::exception& failure) {
        throw ERegistryError(failure.what());
    }
}

std::unique_ptr<IRegistryKey> TFileRegistry::OpenKey(const std::string& path, bool create)
{
    if (IsRunKey(path))
        return TAutostartKey::Open(configHome_);
    return TMemoryRegistry::OpenKey(path, create);
}

bool TFileRegistry::KeyExists(const std::string& path) const
{
    if (IsRunKey(path))
        return std::filesystem::is_directory(configHome_);
    return TMemoryRegistry::KeyExists(path);
}

} // namespace morva
