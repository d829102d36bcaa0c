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
    if (Surface)
        FOcclusion.Render(*this, *Surface);
    else
        Render();
}
