#pragma once

#include "scene/SpriteEngine.h"

class TDrawSurface;

// The component the main window holds as HotelEngine: owns the root and follows the drawing
// surface's life (the window calls SceneViewInitialized / SceneViewFinalized).
class TSceneSpriteEngine
{
public:
    TSceneSpriteEngine() = default;

    TSpriteEngine &Root() { return root_; }
    const TSpriteEngine &Root() const { return root_; }

    // The drawing surface was made: sprites paint on it from now on.
    void SceneViewInitialized(TDrawSurface &surface);
    // The drawing surface is going away: Draw does nothing until the next initialisation.
    void SceneViewFinalized();
    bool Initialized() const { return root_.Surface != nullptr; }

    void Move(int lagCount) { root_.Move(lagCount); }
    // Paints every visible sprite in Z order; nothing while no surface is attached.
    void Draw();
    // Whether filling with background and drawing would change the surface's picture (true
    // while no surface is attached, as there is nothing to compare with).
    bool PictureChanged(std::uint32_t background) { return root_.PictureChanged(background); }
    void FreeKilled() { root_.FreeKilled(); }
    // The topmost visible sprite under the surface point, or nullptr.
    TSprite *SpriteAt(int x, int y) { return root_.SpriteAt(x, y); }

private:
    TSpriteEngine root_;
};
