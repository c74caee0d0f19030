#pragma once
// Where the program's configuration lives, and how a file there is replaced safely.

#include <filesystem>
#include <string>

namespace morva {

// $XDG_CONFIG_HOME when set to an absolute path, otherwise ~/.config.
std::filesystem::path ConfigHome();

// Replaces file with content through a temporary file and a rename, so that a crash at
// any moment leaves either the old or the new file. Throws std::runtime_error; a failed
// write leaves no temporary file behind.
void WriteFileAtomically(const std::filesystem::path& file, const std::string& content);

// Removes the temporary files that writers of file were killed with. A writer holds a lock
// on its temporary file while it lives, so a file that can be locked is a dead writer's.
void RemoveStaleTemporaries(const std::filesystem::path& file);

} // namespace morva
