#pragma once
// The registry for tests: in memory, with a Run key, and writes that can be made to fail.

#include "platform/MemoryRegistry.h"

namespace morva {

class FakeRegistry : public TMemoryRegistry {
public:
    explicit FakeRegistry(bool withRunKey = true)
    {
        if (withRunKey)
            OpenKey(RunKeyPath, true);
        storeCount_ = 0;
    }

    // While set, every change throws ERegistryError and is not kept.
    void FailWrites(bool fail) { failWrites_ = fail; }
    // Changes stored since construction.
    int StoreCount() const { return storeCount_; }

    void Store() override
    {
        if (failWrites_)
            throw ERegistryError("store refused");
        ++storeCount_;
    }

private:
    bool failWrites_ = false;
    int storeCount_ = 0;
};

} // namespace morva
