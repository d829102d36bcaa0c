#pragma once

#include "scene/BlendSprite.h"

#include <QString>

class TArena;

// A hotel sprite: a direct child of the arena's root showing a named picture for one record.
class TGeneralSprite : public TBlendSprite
{
public:
    explicit TGeneralSprite(TArena &arena);
    ~TGeneralSprite() override;

    // Stores the name and shows that picture; throws "Image '<name>' not found".
    void SetImageName(const QString &name);
    // Shows the item, taking its pattern size.
    void SetImage(const TPictureItem &item);

    int ID = 0;
    TArena &Arena;
    QString ImageName;

protected:
    // Sprites that hold references to other root children (a floor to its strip and items, a room
    // to its occupant) register as their holder and hear when one is destroyed first, so no
    // reference outlives its sprite whatever order the sprites are freed in.
    void Hold(TGeneralSprite &part) { part.holder_ = this; }
    void Release(TGeneralSprite *part)
    {
        if (part)
            part->holder_ = nullptr;
    }
    virtual void PartDestroyed(TGeneralSprite &part) { (void)part; }

private:
    TGeneralSprite *holder_ = nullptr;
};
