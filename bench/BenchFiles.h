#pragma once
// The large generated dictionary the benchmarks share.

#include <filesystem>

namespace morva::bench {

// A generated file near the format's 50,000,000-byte limit, in the system's temp folder. It is
// made on first use (about half a minute) and kept for later runs: delete the folder
// "morva-bench" there to make it again.
const std::filesystem::path& LargeFile();

// The process's resident memory now, from /proc.
double ResidentMegabytes();

} // namespace morva::bench
