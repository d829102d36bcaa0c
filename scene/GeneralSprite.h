#pragma once

#include "scene/BlendSprite.h"

#include <QString>

class TArena;

// A hotel sprite: a direct child of the arena's root showing a named picture for one record.
class TGeneralSprite : public TBlendSprite
{
public:
    explicit TGeneralSprite(TArena &arena);

    // Stores the name and shows that picture; throws "Image '<name>' not found".
    void SetImageName(const QString &name);
    // Shows the item, taking its pattern size.
    void SetImage(const TPictureItem &item);

    int ID = 0;
    TArena &Arena;
    QString ImageName;
};
