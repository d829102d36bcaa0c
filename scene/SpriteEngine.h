#pragma once

#include "scene/Occlusion.h"
#include "scene/Sprite.h"

#include <vector>

class TDrawSurface;

// The root of the sprite tree: holds the surface sprites paint on and the kill list.
class TSpriteEngine : public TSprite
{
public:
    TSpriteEngine();
    ~TSpriteEngine() override;

    // Attaches the surface (taking its rectangle and size) or, with nullptr, detaches it and
    // keeps the last rectangle.
    void SetSurface(TDrawSurface *surface);
    // Destroys the killed sprites, the last killed first.
    void FreeKilled();
    // Renders the tree; the root itself is never painted. The result is Render's, pixel for
    // pixel, but pixels that later opaque sprites cover are neither filled nor painted.
    void Draw();

    std::vector<TSprite *> KillList;
    TDrawSurface *Surface = nullptr;
    QRect SurfaceRect;

private:
    TOcclusion FOcclusion;
};
