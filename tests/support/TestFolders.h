#pragma once

#include <filesystem>

namespace morva::test {

// Creates the folders that HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR name, so that the
// program under test finds them as on a real desktop.
void PrepareTestFolders();

// A fresh empty folder below the test's own home.
std::filesystem::path FreshFolder(const std::string& name);

} // namespace morva::test
