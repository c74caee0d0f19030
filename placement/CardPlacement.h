#pragma once
// A card's stored size and position, as the card sees it: take it when the card turns
// visible, store it when the card closes, and store it on destruction if it has not been
// stored since it was last taken. CardPropStorage.h beside it is the real one; the cards see only this.

#include <functional>
#include <memory>

class QWidget;

namespace morva {

class ICardPlacement {
public:
    virtual ~ICardPlacement() = default;

    // Both may throw; the card decides which failures are shown.
    virtual void LoadStoredProps() = 0;
    virtual void SaveStoredProps() = 0;
    // Stored since last taken.
    virtual bool Saved() const = 0;
};

// Makes the placement of one card window.
using TCardPlacementFactory = std::function<std::unique_ptr<ICardPlacement>(QWidget& card)>;

// Keeps nothing: a card stays where the window system puts it.
class TNoCardPlacement : public ICardPlacement {
public:
    void LoadStoredProps() override { saved_ = false; }
    void SaveStoredProps() override { saved_ = true; }
    bool Saved() const override { return saved_; }

private:
    bool saved_ = false;
};

inline std::unique_ptr<ICardPlacement> MakeNoCardPlacement(QWidget&)
{
    return std::make_unique<TNoCardPlacement>();
}

} // namespace morva
