#include "platform/MemoryRegistry.h"

#include <algorithm>

namespace morva {
namespace {

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lowered(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), Lower);
    return name;
}

class TMemoryKey : public IRegistryKey {
public:
    TMemoryKey(TMemoryRegistry& registry, std::shared_ptr<TRegNode> node) : registry_(registry), node_(std::move(node)) {}

    std::vector<std::string> ValueNames() const override
    {
        std::vector<std::string> names;
        names.reserve(node_->Values.Size());
        for (const auto& [name, value] : node_->Values)
            names.push_back(name);
        return names;
    }

    bool HasValue(const std::string& name) const override { return node_->Values.Find(name) != nullptr; }

    std::optional<TRegValue> ReadValue(const std::string& name) const override
    {
        if (const TRegValue* value = node_->Values.Find(name))
            return *value;
        return std::nullopt;
    }

    void WriteValue(const std::string& name, const TRegValue& value) override
    {
        const std::string message = "Failed to set data for '" + name + "'";
        if (node_->Detached)
            throw ERegistryError(message);
        registry_.BeforeChange(*node_, message);
        node_->Values.Set(name, value);
        registry_.AfterChange();
    }

    bool DeleteValue(const std::string& name) override
    {
        if (!node_->Values.Find(name))
            return false;
        const std::string message = "Failed to delete value '" + name + "'";
        if (node_->Detached)
            throw ERegistryError(message);
        registry_.BeforeChange(*node_, message);
        node_->Values.Erase(name);
        registry_.AfterChange();
        return true;
    }

private:
    TMemoryRegistry& registry_;
    std::shared_ptr<TRegNode> node_;
};

} // namespace

bool TNameLess::operator()(const std::string& a, const std::string& b) const
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

TValueList::TValueList(const TValueList& other) : values_(other.values_)
{
    index_.reserve(values_.size());
    for (auto at = values_.begin(); at != values_.end(); ++at)
        index_.emplace(Lowered(at->first), at);
}

TValueList& TValueList::operator=(const TValueList& other)
{
    if (this != &other)
        *this = TValueList(other);
    return *this;
}

const TRegValue* TValueList::Find(const std::string& name) const
{
    auto found = index_.find(Lowered(name));
    return found == index_.end() ? nullptr : &found->second->second;
}

void TValueList::Set(const std::string& name, TRegValue value)
{
    auto [found, added] = index_.try_emplace(Lowered(name));
    if (!added) {
        found->second->second = std::move(value);
        return;
    }
    values_.emplace_back(name, std::move(value));
    found->second = std::prev(values_.end());
}

bool TValueList::Erase(const std::string& name)
{
    auto found = index_.find(Lowered(name));
    if (found == index_.end())
        return false;
    values_.erase(found->second);
    index_.erase(found);
    return true;
}

TRegNode* TRegNode::FindSubkey(const std::string& name) const
{
    auto found = Subkeys.find(name);
    return found == Subkeys.end() ? nullptr : found->second.get();
}

std::vector<std::string> SplitKeyPath(const std::string& path)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : path + '\\') {
        if (c != '\\') {
            part += c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    return parts;
}

TMemoryRegistry::TMemoryRegistry() : root_(std::make_shared<TRegNode>())
{
}

TRegNode* TMemoryRegistry::FindKey(const std::string& path) const
{
    TRegNode* node = root_.get();
    for (const std::string& part : SplitKeyPath(path)) {
        node = node->FindSubkey(part);
        if (!node)
            return nullptr;
    }
    return node;
}

bool TMemoryRegistry::KeyExists(const std::string& path) const
{
    return FindKey(path) != nullptr;
}

std::unique_ptr<IRegistryKey> TMemoryRegistry::OpenKey(const std::string& path, bool create)
{
    if (!create && !FindKey(path))
        return nullptr;

    std::shared_ptr<TRegNode> node = root_;
    bool made = false;
    for (const std::string& part : SplitKeyPath(path)) {
        auto found = node->Subkeys.find(part);
        if (found == node->Subkeys.end()) {
            auto child = std::make_shared<TRegNode>();
            child->Name = part;
            NoteCreated(*node, part, "Failed to create key '" + path + "'");
            found = node->Subkeys.emplace(part, std::move(child)).first;
            made = true;
        }
        node = found->second;
    }
    if (made)
        AfterChange();
    return std::make_unique<TMemoryKey>(*this, std::move(node));
}

void TMemoryRegistry::BeforeChange(TRegNode& node, const std::string& failureMessage)
{
    if (failureMessage_.empty())
        failureMessage_ = failureMessage;
    if (touched_.insert(&node).second)
        valuesBefore_.emplace_back(&node, node.Values);
}

void TMemoryRegistry::NoteCreated(TRegNode& parent, const std::string& name, const std::string& failureMessage)
{
    if (failureMessage_.empty())
        failureMessage_ = failureMessage;
    created_.emplace_back(&parent, name);
}

void TMemoryRegistry::AfterChange()
{
    if (depth_ == 0)
        StoreOrUndo();
}

void TMemoryRegistry::StoreOrUndo()
{
    try {
        Store();
    } catch (...) {
        const std::string message = failureMessage_;
        Undo();
        throw ERegistryError(message);
    }
    Forget();
}

void TMemoryRegistry::Undo()
{
    for (auto& [node, values] : valuesBefore_)
        node->Values = std::move(values);
    for (auto made = created_.rbegin(); made != created_.rend(); ++made) {
        auto [parent, name] = *made;
        auto found = parent->Subkeys.find(name);
        found->second->Detached = true;
        parent->Subkeys.erase(found);
    }
    Forget();
}

void TMemoryRegistry::Forget()
{
    touched_.clear();
    valuesBefore_.clear();
    created_.clear();
    failureMessage_.clear();
}

void TMemoryRegistry::BeginTransaction()
{
    ++depth_;
}

void TMemoryRegistry::CommitTransaction()
{
    if (depth_ == 0 || --depth_ > 0)
        return;
    if (!valuesBefore_.empty() || !created_.empty())
        StoreOrUndo();
}

void TMemoryRegistry::AbandonTransaction()
{
    if (depth_ == 0 || --depth_ > 0)
        return;
    Undo();
}

} // namespace morva
