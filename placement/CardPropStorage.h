#pragma once
// The placement storage of a card window, in the shape the cards ask for: every card
// keeps its placement in the section "WordViewWindow".

#include "placement/CardPlacement.h"
#include "placement/PropStorage.h"

namespace morva {

inline constexpr const char* CardSection = "WordViewWindow";

class TCardPropStorage : public ICardPlacement {
public:
    explicit TCardPropStorage(std::unique_ptr<TPropStorage> storage) : storage_(std::move(storage)) {}

    void LoadStoredProps() override { storage_->LoadStoredProps(); }
    void SaveStoredProps() override { storage_->SaveStoredProps(); }
    bool Saved() const override { return storage_->Saved(); }

private:
    std::unique_ptr<TPropStorage> storage_;
};

// For TCardManager::SetPlacement. The manager must outlive every card.
inline TCardPlacementFactory MakeCardPlacementFactory(TRegPropStorageMan& storageManager)
{
    return [&storageManager](QWidget& card) -> std::unique_ptr<ICardPlacement> {
        return std::make_unique<TCardPropStorage>(MakeWidgetPropStorage(card, storageManager, CardSection, {}));
    };
}

} // namespace morva
