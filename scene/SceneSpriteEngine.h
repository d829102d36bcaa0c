#pragma once

#include "scene/SpriteEngine.h"

class TDrawSurface;

// The component the main window holds as HotelEngine: owns the root and follows the drawing
// surface's life (the window calls SceneViewInitialized / SceneViewFinalized).
class TSceneSpriteEngine
{
public:
    TSceneSpriteEngine() = default;

    TSpriteEngine &Root() { return FRoot; }
    const TSpriteEngine &Root() const { return FRoot; }

    // The drawing surface was made: sprites paint on it from now on.
    void SceneViewInitialized(TDrawSurface &surface);
    // The drawing surface is going away: Draw does nothing until the next initialisation.
    void SceneViewFinalized();
    bool Initialized() const { return FRoot.Surface != nullptr; }

    void Move(int lagCount) { FRoot.Move(lagCount); }
    // Paints every visible sprite in Z order; nothing while no surface is attached.
    void Draw();
    // Whether filling with background and drawing would change the surface's picture (true
    // while no surface is attached, as there is nothing to compare with).
    bool PictureChanged(std::uint32_t background) { return FRoot.PictureChanged(background); }
    void FreeKilled() { FRoot.FreeKilled(); }
    // The topmost visible sprite under the surface point, or nullptr.
    TSprite *SpriteAt(int x, int y) { return FRoot.SpriteAt(x, y); }

private:
    TSpriteEngine FRoot;
};
