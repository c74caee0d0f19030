#pragma once

#include <stdexcept>
#include <string>

namespace morva {

// An engine failure; what() is the ready-to-show message as dictionary text.
class EDictionaryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace morva
