#pragma once
// A desktop of a test's own: the system's file types, but no applications other than the one
// a test registers, no desktop session and no BROWSER. Everything is put back at the end.

#include <QByteArray>
#include <QtGlobal>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace morva::test {

// Sets environment variables for one test and puts the old values back.
class TEnvironment {
public:
    TEnvironment() = default;
    TEnvironment(const TEnvironment&) = delete;
    TEnvironment& operator=(const TEnvironment&) = delete;

    ~TEnvironment()
    {
        for (auto saved = saved_.rbegin(); saved != saved_.rend(); ++saved)
            saved->second ? qputenv(saved->first.c_str(), *saved->second) : qunsetenv(saved->first.c_str());
    }

    void Set(const char* name, const std::string& value)
    {
        Save(name);
        qputenv(name, QByteArray::fromStdString(value));
    }

    void Unset(const char* name)
    {
        Save(name);
        qunsetenv(name);
    }

private:
    void Save(const char* name)
    {
        saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    }

    std::vector<std::pair<std::string, std::optional<QByteArray>>> saved_;
};

class TEmptyDesktop {
public:
    // folder: fresh and empty; the desktop's folders go below it.
    explicit TEmptyDesktop(const std::filesystem::path& folder) : folder_(folder)
    {
        namespace fs = std::filesystem;
        fs::create_directories(folder / "share");
        fs::create_directory_symlink("/usr/share/mime", folder / "share" / "mime");
        Environment.Set("XDG_DATA_HOME", (folder / "data").string());
        Environment.Set("XDG_DATA_DIRS", (folder / "share").string());
        Environment.Set("XDG_CONFIG_HOME", (folder / "config").string());
        Environment.Set("XDG_CONFIG_DIRS", (folder / "none").string());
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "BROWSER"})
            Environment.Unset(name);
    }

    // One application, the default for each of the types; it runs nothing.
    void RegisterViewer(const std::vector<std::string>& types)
    {
        namespace fs = std::filesystem;
        fs::create_directories(folder_ / "data" / "applications");
        fs::create_directories(folder_ / "config");
        std::ofstream entry(folder_ / "data" / "applications" / "morva-test-viewer.desktop");
        entry << "[Desktop Entry]\nType=Application\nName=Test viewer\nExec=true\nMimeType=";
        std::ofstream defaults(folder_ / "config" / "mimeapps.list");
        defaults << "[Default Applications]\n";
        for (const std::string& type : types) {
            entry << type << ';';
            defaults << type << "=morva-test-viewer.desktop\n";
        }
        entry << '\n';
    }

    TEnvironment Environment;

private:
    std::filesystem::path folder_;
};

} // namespace morva::test
