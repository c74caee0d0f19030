#include "platform/MemoryRegistry.h"

#include <algorithm>

namespace morva {
namespace {

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

class TMemoryKey : public IRegistryKey {
public:
    TMemoryKey(TMemoryRegistry& registry, TRegNode& node) : registry_(registry), node_(node) {}

    std::vector<std::string> ValueNames() const override
    {
        std::vector<std::string> names;
        for (const auto& [name, value] : node_.Values)
            names.push_back(name);
        return names;
    }

    bool HasValue(const std::string& name) const override { return node_.FindValue(name) != nullptr; }

    std::optional<TRegValue> ReadValue(const std::string& name) const override
    {
        if (const TRegValue* value = node_.FindValue(name))
            return *value;
        return std::nullopt;
    }

    void WriteValue(const std::string& name, const TRegValue& value) override
    {
        auto before = node_.Values;
        if (TRegValue* existing = node_.FindValue(name))
            *existing = value;
        else
            node_.Values.emplace_back(name, value);
        Commit(std::move(before), "Failed to set data for '" + name + "'");
    }

    bool DeleteValue(const std::string& name) override
    {
        auto found = std::find_if(node_.Values.begin(), node_.Values.end(),
                                  [&](const auto& entry) { return SameName(entry.first, name); });
        if (found == node_.Values.end())
            return false;
        auto before = node_.Values;
        node_.Values.erase(found);
        Commit(std::move(before), "Failed to delete value '" + name + "'");
        return true;
    }

private:
    void Commit(std::vector<std::pair<std::string, TRegValue>> before, const std::string& message)
    {
        try {
            registry_.Store();
        } catch (const ERegistryError&) {
            node_.Values = std::move(before);
            throw ERegistryError(message);
        }
    }

    TMemoryRegistry& registry_;
    TRegNode& node_;
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

TRegValue* TRegNode::FindValue(const std::string& name)
{
    for (auto& [valueName, value] : Values)
        if (SameName(valueName, name))
            return &value;
    return nullptr;
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

TMemoryRegistry::TMemoryRegistry() : root_(std::make_unique<TRegNode>())
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
    if (TRegNode* node = FindKey(path))
        return std::make_unique<TMemoryKey>(*this, *node);
    if (!create)
        return nullptr;

    TRegNode* node = root_.get();
    TRegNode* firstNewParent = nullptr;
    std::string firstNewName;
    for (const std::string& part : SplitKeyPath(path)) {
        TRegNode* next = node->FindSubkey(part);
        if (!next) {
            auto made = std::make_unique<TRegNode>();
            made->Name = part;
            next = made.get();
            if (!firstNewParent) {
                firstNewParent = node;
                firstNewName = part;
            }
            node->Subkeys.emplace(part, std::move(made));
        }
        node = next;
    }
    try {
        Store();
    } catch (const ERegistryError&) {
        firstNewParent->Subkeys.erase(firstNewName);
        throw ERegistryError("Failed to create key '" + path + "'");
    }
    return std::make_unique<TMemoryKey>(*this, *node);
}

} // namespace morva
