#include "scene/FloorSprite.h"

#include "scene/Arena.h"
#include "scene/FeatureSprite.h"
#include "scene/StationSprite.h"
#include "scene/StuffSprite.h"

#include <stdexcept>
#include <string>

TFloorSprite::TFloorSprite(TArena &arena) : TGeneralSprite(arena)
{
    SetImageName(QStringLiteral("Floor"));
    SetZ(50);
    Parts[0] = new TStuffSprite(arena); // owned by the root
    Hold(*Parts[0]);
}

TFloorSprite::~TFloorSprite()
{
    for (TGeneralSprite *part : Parts)
        Release(part);
}

void TFloorSprite::PartDestroyed(TGeneralSprite &part)
{
    for (TGeneralSprite *&slot : Parts)
        if (slot == &part)
            slot = nullptr;
}

TStuffSprite *TFloorSprite::StuffSprite() const
{
    return static_cast<TStuffSprite *>(Parts[0]);
}

void TFloorSprite::SetColumn(int column)
{
    Column = column;
    X = Arena.LeftMargin() + column * 500;
    if (TStuffSprite *stuff = StuffSprite())
        stuff->X = X + Width + 2;
}

void TFloorSprite::SetFloor(int floor)
{
    Floor = floor;
    Y = Arena.BaseLine() - floor * Height;
    if (TStuffSprite *stuff = StuffSprite())
        stuff->Y = Y;
}

void TFloorSprite::SetStation(int index, int value)
{
    if (index < 1 || index > 3)
        throw std::runtime_error("Image 'Station0" + std::to_string(index) + "' not found");
    if (value < 0) {
        delete Parts[index];
        Parts[index] = nullptr;
        return;
    }
    if (Parts[index])
        return; // one sprite per station, however often it is bought
    if (!StuffSprite())
        return; // the strip is gone: nothing to stand on
    auto *station = new TStationSprite(Arena, *StuffSprite());
    Parts[index] = station;
    Hold(*station);
    station->SetNumber(index);
}

void TFloorSprite::SetFeature(int index, int count)
{
    if (index < 1 || index > 4)
        throw std::runtime_error("Image 'Stuff0" + std::to_string(index) + "' not found");
    TGeneralSprite *&slot = Parts[3 + index];
    if (count > 0) {
        if (slot)
            return; // one sprite per item
        if (!StuffSprite())
            return;
        auto *feature = new TFeatureSprite(Arena, *StuffSprite());
        slot = feature;
        Hold(*feature);
        feature->SetNumber(index);
    } else if (slot) {
        // The killed item may be freed after this floor: it no longer reports here.
        Release(slot);
        slot->Kill();
        slot = nullptr;
    }
}
