#pragma once
// The component stream that carries a window's placement: "TPF0", the class and component
// names, the properties as name and typed value, and the closing list ends; its hexadecimal
// form; and the text notation (object ... end) that older stores may hold.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace morva {

inline constexpr const char* InvalidStreamFormat = "Invalid stream format.";
inline constexpr const char* StreamReadError = "Stream read error";
inline constexpr const char* InvalidPropertyValue = "Invalid property value";

// How deep lists and components may nest in a stream or its text notation. A placement
// has no nesting at all; anything deeper than this is damage, read as an unreadable stream
// (raising InvalidStreamFormat) rather than followed down to the end of the stack.
inline constexpr int MaxStreamNesting = 64;

// A stream that cannot be read; what() is the message.
class EReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A property value that does not fit its property; the value has been skipped, so reading
// can go on with the next property.
class EPropertyError : public EReadError {
public:
    using EReadError::EReadError;
};

enum TValueType : std::uint8_t {
    vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue,
    vaBinary, vaSet, vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString,
    vaInt64, vaUTF8String, vaDouble
};

class TStreamWriter {
public:
    void WriteSignature();
    void WriteStr(std::string_view text); // at most 255 bytes
    // A 32-bit length, then the bytes: the long string and binary forms.
    void WriteLongData(std::span<const std::uint8_t> data);
    void WriteIdent(std::string_view ident);
    // In the smallest of the three integer forms that holds the value.
    void WriteInteger(std::int32_t value);
    void WriteValueType(TValueType type) { bytes_.push_back(type); }
    void WriteListEnd() { bytes_.push_back(vaNull); }
    void WriteRaw(std::span<const std::uint8_t> bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
    std::vector<std::uint8_t>& Bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

class TStreamReader {
public:
    explicit TStreamReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    // "TPF0", or a resource header (first byte 0xFF) followed by "TPF0".
    void ReadSignature();
    // The flags byte that an inherited or inline component may carry.
    void ReadPrefix();
    std::string ReadStr();
    bool EndOfList() const { return NextValue() == vaNull; }
    void ReadListEnd();
    TValueType NextValue() const;
    // An integer value; anything else is skipped and raises EPropertyError.
    std::int32_t ReadInteger();
    // An identifier value (True, False and nil included); anything else as ReadInteger.
    std::string ReadIdent();
    void SkipValue();
    void SkipProperty();
    void SkipComponent();

private:
    std::uint8_t ReadByte();
    std::uint32_t ReadUInt32();
    void Skip(std::size_t count);

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    int depth_ = 0;
};

// Two upper-case digits per byte, high nibble first.
std::string HexEncode(std::span<const std::uint8_t> bytes);
// Either letter case; decoding stops at the first pair that is not two hexadecimal digits.
std::vector<std::uint8_t> HexDecode(std::string_view text);

// Whether stored text starts like the text notation rather than hexadecimal digits.
bool LooksLikeObjectText(std::string_view text);
// The text notation as a binary stream. Integers, identifiers, strings, sets, lists,
// binary data and nested objects are understood; anything else raises InvalidStreamFormat.
std::vector<std::uint8_t> ObjectTextToBinary(std::string_view text);

} // namespace morva
