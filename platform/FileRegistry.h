#pragma once
// The registry kept as a REGEDIT4 file, <config>/kovrak-morva/registry.reg, with the Run key
// realised as the desktop's autostart folder, <config>/autostart.

#include "platform/MemoryRegistry.h"

#include <filesystem>

namespace morva {

class TFileRegistry : public TMemoryRegistry {
public:
    // Reads the file once. A file that cannot be read or understood is renamed aside
    // (registry.reg.damaged-<time>) and the registry starts empty; when even that rename
    // fails, every change is refused so that the file is never overwritten.
    explicit TFileRegistry(const std::filesystem::path& configHome);
    TFileRegistry();

    std::unique_ptr<IRegistryKey> OpenKey(const std::string& path, bool create) override;
    bool KeyExists(const std::string& path) const override;
    void Store() override;

    const std::filesystem::path& File() const { return file_; }
    // Where a damaged file was put aside; empty when none was.
    const std::filesystem::path& SetAside() const { return setAside_; }

private:
    void Load();

    std::filesystem::path configHome_;
    std::filesystem::path file_;
    std::filesystem::path setAside_;
    bool refuseWrites_ = false;
};

} // namespace morva
