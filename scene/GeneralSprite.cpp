#include "scene/GeneralSprite.h"

#include "scene/Arena.h"
#include "scene/PictureList.h"
#include "scene/SceneSpriteEngine.h"

#include <stdexcept>

TGeneralSprite::TGeneralSprite(TArena &arena) : TBlendSprite(&arena.Engine->Root()), Arena(arena) {}

TGeneralSprite::~TGeneralSprite()
{
    if (holder_)
        holder_->PartDestroyed(*this);
}

void TGeneralSprite::SetImageName(const QString &name)
{
    ImageName = name;
    if (!Arena.ImageList)
        throw std::runtime_error("Image '" + name.toStdString() + "' not found");
    SetImage(Arena.ImageList->Items.FindItem(name));
}

void TGeneralSprite::SetImage(const TPictureItem &item)
{
    Picture = &item;
    Width = item.GetPatternWidth();
    Height = item.GetPatternHeight();
}
