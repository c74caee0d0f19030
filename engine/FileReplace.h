#pragma once
// Writing a whole file so that nobody ever sees half of it, and nothing else is written.

#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>

namespace morva {

// A file that cannot be written; the message names it and says why (UTF-8).
struct FileWriteError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Writes the bytes to a fresh temporary file beside the target, created exclusively (a link
// planted under its name is never followed), then renames it over the target; the temporary
// is removed on every failure. A link at the target is replaced, not followed, and the folder
// is synced after the rename. Throws FileWriteError, with a plain message when the target is
// a folder.
void ReplaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

// The check ReplaceFile starts with, for callers that want to fail before doing their work.
void RequireWritableTarget(const std::filesystem::path& target);

} // namespace morva
