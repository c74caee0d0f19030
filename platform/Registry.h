#pragma once
// The current user's registry: keys named by paths such as "\Software\Kovrak\Morva\Settings"
// (taken from HKEY_CURRENT_USER; the leading backslash is optional), holding typed values.
// Key and value names compare without regard to ASCII letter case, as on Windows.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace morva {

// The Windows type numbers; other numbers are kept as raw bytes.
enum class TRegType : std::uint32_t {
    Sz = 1,
    ExpandSz = 2,
    Binary = 3,
    DWord = 4,
};

struct TRegValue {
    TRegType Type = TRegType::Sz;
    std::string Text;                // Sz, ExpandSz: UTF-8 text
    std::uint32_t Number = 0;        // DWord
    std::vector<std::uint8_t> Bytes; // Binary and any other type

    static TRegValue String(std::string text) { return {TRegType::Sz, std::move(text), 0, {}}; }
    static TRegValue ExpandString(std::string text) { return {TRegType::ExpandSz, std::move(text), 0, {}}; }
    static TRegValue DWord(std::uint32_t number) { return {TRegType::DWord, {}, number, {}}; }
    static TRegValue Binary(std::vector<std::uint8_t> bytes) { return {TRegType::Binary, {}, 0, std::move(bytes)}; }

    bool IsString() const { return Type == TRegType::Sz || Type == TRegType::ExpandSz; }
    bool operator==(const TRegValue&) const = default;
};

// A failed registry write; what() is a ready-to-show message.
class ERegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An open key. Reading never throws; every change is stored at once (or with its
// transaction) and throws ERegistryError when it cannot be stored (the change is then not kept).
class IRegistryKey {
public:
    virtual ~IRegistryKey() = default;

    // Value names in the order they were created.
    virtual std::vector<std::string> ValueNames() const = 0;
    virtual bool HasValue(const std::string& name) const = 0;
    virtual std::optional<TRegValue> ReadValue(const std::string& name) const = 0;
    virtual void WriteValue(const std::string& name, const TRegValue& value) = 0;
    // False when there was no such value (no error).
    virtual bool DeleteValue(const std::string& name) = 0;
};

class IRegistry {
public:
    virtual ~IRegistry() = default;

    // Without create: nullptr when the key does not exist. With create: the key and its
    // missing parents are made and stored; throws ERegistryError when that cannot be stored.
    // The Run key (RunKeyPath) opens only when the configuration folder exists and is
    // never created.
    virtual std::unique_ptr<IRegistryKey> OpenKey(const std::string& path, bool create) = 0;
    virtual bool KeyExists(const std::string& path) const = 0;

    // The changes made between the outermost Begin and its Commit are stored together, in
    // one write, so whoever stops the process meanwhile leaves all of them or none. Commit
    // throws ERegistryError when they cannot be stored, and none of them is kept then;
    // Abandon undoes them. Inner Begin/Commit pairs join the outer transaction.
    virtual void BeginTransaction() = 0;
    virtual void CommitTransaction() = 0;
    virtual void AbandonTransaction() = 0;
};

// A transaction that is abandoned unless committed before it goes.
class TRegistryTransaction {
public:
    explicit TRegistryTransaction(IRegistry& registry) : registry_(registry) { registry_.BeginTransaction(); }
    ~TRegistryTransaction()
    {
        if (open_)
            registry_.AbandonTransaction();
    }
    TRegistryTransaction(const TRegistryTransaction&) = delete;
    TRegistryTransaction& operator=(const TRegistryTransaction&) = delete;

    void Commit()
    {
        open_ = false;
        registry_.CommitTransaction();
    }

private:
    IRegistry& registry_;
    bool open_ = true;
};

// The program's own key: settings and window placement live below it.
inline constexpr const char* ProgramKeyPath = "\\Software\\Kovrak\\Morva";
inline constexpr const char* RunKeyPath = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

} // namespace morva
