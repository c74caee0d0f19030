#pragma once

#include <stdexcept>
#include <string>

namespace morva {

// An engine failure; what() is the ready-to-show message in UTF-8, as every exception's is.
class EDictionaryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace morva
