#pragma once
// Where the program's configuration lives, and how a file there is replaced safely.

#include <filesystem>
#include <string>

namespace morva {

// $XDG_CONFIG_HOME when set to an absolute path, otherwise ~/.config.
std::filesystem::path ConfigHome();

// Replaces file with content through a temporary file and a rename, so that a crash at
// any moment leaves either the old or the new file; the file is for the owner only. Throws
// std::runtime_error; a failed write leaves no temporary file behind.
void WriteFileAtomically(const std::filesystem::path& file, const std::string& content);

} // namespace morva
