#pragma once
// The data compiler's inverse: a data file's entries back to source lines.

#include "engine/DictImage.h"
#include "tools/DictCompiler.h"

#include <string>

namespace morva {

// The entries of the three lists in list order, records by value. Offsets that run outside
// the image raise the format message, like every other read of it.
DictLists ReadLists(const DictImage& image);

// A source (UTF-8) whose compile forms these lists again, when the compiler's rules formed
// them: records in an order that keeps every entry's order, W records first for headwords the
// rules would not make (or would spell otherwise).
std::string DecompileLists(const DictLists& lists);

// What keeps the source from compiling back to these lists; empty when it does.
std::string RoundTripFault(const DictLists& lists, const std::string& source);

} // namespace morva
