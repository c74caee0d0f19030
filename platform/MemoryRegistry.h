#pragma once
// The registry held in memory: the tree of keys and values that the file registry loads
// and stores, and the fake that tests use as it stands.

#include "platform/Registry.h"

#include <list>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace morva {

// ASCII case-insensitive ordering, for key and value names.
struct TNameLess {
    bool operator()(const std::string& a, const std::string& b) const;
};
bool SameName(const std::string& a, const std::string& b);

using TNamedValue = std::pair<std::string, TRegValue>;

// The values of one key in creation order. A value is found by its name without a scan, so
// a key with a hundred thousand values costs no more per lookup than one with two.
class TValueList {
public:
    TValueList() = default;
    TValueList(const TValueList& other);
    TValueList& operator=(const TValueList& other);
    TValueList(TValueList&&) = default;
    TValueList& operator=(TValueList&&) = default;

    const TRegValue* Find(const std::string& name) const;
    // Replaces the value of that name, or adds it at the end.
    void Set(const std::string& name, TRegValue value);
    // False when there was no such value.
    bool Erase(const std::string& name);
    std::size_t Size() const { return values_.size(); }
    auto begin() const { return values_.cbegin(); }
    auto end() const { return values_.cend(); }

private:
    std::list<TNamedValue> values_;
    std::unordered_map<std::string, std::list<TNamedValue>::iterator> index_; // by lower-case name
};

struct TRegNode {
    std::string Name;
    TValueList Values;
    // Shared with the open keys, so a key whose creation was undone is never left dangling.
    std::map<std::string, std::shared_ptr<TRegNode>, TNameLess> Subkeys;
    // Taken out of the tree by an undone creation: changes to it can no longer be stored.
    bool Detached = false;

    TRegNode* FindSubkey(const std::string& name) const;
};

// The parts of a key path, without empty parts: "\Software\Kovrak" gives Software, Kovrak.
std::vector<std::string> SplitKeyPath(const std::string& path);

class TMemoryRegistry : public IRegistry {
public:
    TMemoryRegistry();

    std::unique_ptr<IRegistryKey> OpenKey(const std::string& path, bool create) override;
    bool KeyExists(const std::string& path) const override;
    void BeginTransaction() override;
    void CommitTransaction() override;
    void AbandonTransaction() override;

    const TRegNode& Root() const { return *root_; }

    // Called once per stored change (a single change, or a whole transaction) with the tree
    // as changed; throws ERegistryError to refuse it, and the change is then undone.
    virtual void Store() {}

    // For the keys: note a change to node before it is made; failureMessage is what a
    // failed store of it says.
    void BeforeChange(TRegNode& node, const std::string& failureMessage);
    // Stores the change unless a transaction is open.
    void AfterChange();

protected:
    TRegNode* FindKey(const std::string& path) const;
    std::shared_ptr<TRegNode> root_;

private:
    void NoteCreated(TRegNode& parent, const std::string& name, const std::string& failureMessage);
    void StoreOrUndo();
    void Undo();
    void Forget();

    int depth_ = 0;
    // What the open change or transaction needs to be undone: the values each key had
    // before it, and the keys it made.
    std::unordered_set<TRegNode*> touched_;
    std::vector<std::pair<TRegNode*, TValueList>> valuesBefore_;
    std::vector<std::pair<TRegNode*, std::string>> created_;
    std::string failureMessage_;
};

} // namespace morva
