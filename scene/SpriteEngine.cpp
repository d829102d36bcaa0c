#include "scene/SpriteEngine.h"

#include "scene/DrawSurface.h"

TSpriteEngine::TSpriteEngine() : TSprite(nullptr) {}

TSpriteEngine::~TSpriteEngine()
{
    // The children unlist themselves from KillList, which must still exist then.
    Clear();
}

void TSpriteEngine::SetSurface(TDrawSurface *surface)
{
    Surface = surface;
    drawnKnown_ = false;
    if (!surface)
        return;
    SurfaceRect = QRect(0, 0, surface->Width(), surface->Height());
    Width = surface->Width();
    Height = surface->Height();
}

void TSpriteEngine::FreeKilled()
{
    while (!KillList.empty())
        delete KillList.back();
}

void TSpriteEngine::Draw()
{
    if (!Surface) {
        Render();
        return;
    }
    // The picture is known only over a uniform background: a pending fill.
    const std::optional<std::uint32_t> background = Surface->PendingFill();
    drawnKnown_ = background && drawn_.Collect(*this, SurfaceRect);
    Render();
    // A frame that painted nothing still leaves its background on the surface.
    Surface->Settle();
    drawnSurface_ = Surface;
    drawnVersion_ = Surface->Version();
    drawnBackground_ = background.value_or(0);
}

bool TSpriteEngine::PictureChanged(std::uint32_t background)
{
    if (!Surface || !drawnKnown_ || drawnSurface_ != Surface ||
        drawnVersion_ != Surface->Version() || drawnBackground_ != background)
        return true;
    if (!now_.Collect(*this, SurfaceRect))
        return true;
    return !(now_ == drawn_);
}
