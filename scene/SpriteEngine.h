#pragma once

#include "scene/PaintList.h"
#include "scene/Sprite.h"

#include <cstdint>
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
    // Renders the tree onto the surface; the root itself is never painted.
    void Draw();
    // Whether Fill(background) followed by Draw would now leave other pixels on the surface than
    // it holds. False only when the last Draw painted the same steps over the same fill and
    // nothing has written to the surface since; true whenever that is not known.
    bool PictureChanged(std::uint32_t background);

    std::vector<TSprite *> KillList;
    TDrawSurface *Surface = nullptr;
    QRect SurfaceRect;

private:
    // What the last Draw left on the surface, when it is known.
    bool drawnKnown_ = false;
    const TDrawSurface *drawnSurface_ = nullptr;
    std::uint64_t drawnVersion_ = 0;
    std::uint32_t drawnBackground_ = 0;
    TPaintList drawn_;
    TPaintList now_;
};
