#pragma once
// The Run key as the desktop's autostart folder: each value is a .desktop entry whose Exec
// line carries the value's data (a command line such as "/path/morva" /autorun).

#include "platform/Registry.h"

#include <filesystem>
#include <memory>
#include <string>

namespace morva {

class TAutostartKey : public IRegistryKey {
public:
    // nullptr when the configuration folder does not exist; it is never created.
    static std::unique_ptr<IRegistryKey> Open(const std::filesystem::path& configHome);

    std::vector<std::string> ValueNames() const override;
    bool HasValue(const std::string& name) const override;
    std::optional<TRegValue> ReadValue(const std::string& name) const override;
    // Only REG_SZ values have a form here; others throw ERegistryError.
    void WriteValue(const std::string& name, const TRegValue& value) override;
    bool DeleteValue(const std::string& name) override;

private:
    explicit TAutostartKey(std::filesystem::path folder) : folder_(std::move(folder)) {}
    std::filesystem::path FindEntry(const std::string& name) const;

    std::filesystem::path folder_;
};

// The command line of a Run value as an Exec line and back; a quoted argument stays quoted.
// In the command line, "" inside double quotes is one double quote.
std::string CommandLineToExec(const std::string& commandLine);
std::string ExecToCommandLine(const std::string& exec);

} // namespace morva
