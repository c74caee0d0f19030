#pragma once
// The named 4-byte block that tells a second copy of the program where the first one is.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace morva {

// The block could not be created, opened, read or written.
class EInstanceBlockError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TBlockState {
    Created,       // this copy is the first one and holds the block until Close
    AlreadyExisted // another copy holds it
};

class IInstanceBlock {
public:
    virtual ~IInstanceBlock() = default;

    // Throws EInstanceBlockError; the caller then goes on without the guard.
    virtual TBlockState CreateOrOpen(const std::string& name) = 0;
    // The stored window handle; 0 while the first copy has not stored one yet.
    virtual std::uint32_t ReadHandle() = 0;
    virtual void WriteHandle(std::uint32_t handle) = 0;
    // Lets the block go (also done on destruction).
    virtual void Close() = 0;
};

} // namespace morva
