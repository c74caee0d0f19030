#pragma once
// The registry file: REGEDIT4 text holding the current user's keys.

#include "platform/MemoryRegistry.h"

#include <stdexcept>
#include <string>

namespace morva {

class ERegFileFormat : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every key below root, with its values, as REGEDIT4 text. Names are written as they are,
// so whatever ParseRegFile read is written back; throws ERegFileFormat only for a name with
// a line break, which no file can carry.
std::string FormatRegFile(const TRegNode& root);
// Throws ERegFileFormat naming the first line it cannot take.
std::unique_ptr<TRegNode> ParseRegFile(const std::string& text);

} // namespace morva
