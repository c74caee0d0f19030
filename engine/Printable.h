#pragma once
// Text from files and arguments, made safe to show in a message on a terminal.

#include <string>
#include <string_view>

namespace morva {

// UTF-8 as it is, except that control characters show as \xNN (C0 and DEL) or \u00NN (C1),
// and bytes that are not UTF-8 as \xNN: nothing read from a file can move the cursor,
// change colours or break a message's line.
std::string Printable(std::string_view utf8);

} // namespace morva
