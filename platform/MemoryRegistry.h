#pragma once
// The registry held in memory: the tree of keys and values that the file registry loads
// and stores, and the fake that tests use as it stands.

#include "platform/Registry.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace morva {

// ASCII case-insensitive ordering, for key and value names.
struct TNameLess {
    bool operator()(const std::string& a, const std::string& b) const;
};
bool SameName(const std::string& a, const std::string& b);

struct TRegNode {
    std::string Name;
    std::vector<std::pair<std::string, TRegValue>> Values; // in creation order
    std::map<std::string, std::unique_ptr<TRegNode>, TNameLess> Subkeys;

    TRegValue* FindValue(const std::string& name);
    TRegNode* FindSubkey(const std::string& name) const;
};

// The parts of a key path, without empty parts: "\Software\Kovrak" gives Software, Kovrak.
std::vector<std::string> SplitKeyPath(const std::string& path);

class TMemoryRegistry : public IRegistry {
public:
    TMemoryRegistry();

    std::unique_ptr<IRegistryKey> OpenKey(const std::string& path, bool create) override;
    bool KeyExists(const std::string& path) const override;

    const TRegNode& Root() const { return *root_; }

    // Called after every change with the tree as changed; throws ERegistryError to refuse
    // it, and the change is then undone.
    virtual void Store() {}

protected:
    TRegNode* FindKey(const std::string& path) const;
    std::unique_ptr<TRegNode> root_;
};

} // namespace morva
