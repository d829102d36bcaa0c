#pragma once

#include "scene/GeneralSprite.h"

#include <array>

class TStuffSprite;

// One storey: the floor slab plus references to its strip (slot 0), stations 1..3 (slots 1..3)
// and comfort items 1..4 (slots 4..7). The references do not own; the root owns every sprite.
class TFloorSprite : public TGeneralSprite
{
public:
    explicit TFloorSprite(TArena &arena);
    ~TFloorSprite() override;

    void SetColumn(int column);
    void SetFloor(int floor);
    // A value below 0 destroys the station at once; 0 or more creates it.
    void SetStation(int index, int value);
    // A count above 0 creates the item; otherwise the item is killed (the caller frees).
    void SetFeature(int index, int count);
    TStuffSprite *StuffSprite() const;

    int Column = 0;
    int Floor = 0;
    std::array<TGeneralSprite *, 8> Parts{};

protected:
    void PartDestroyed(TGeneralSprite &part) override;
};
