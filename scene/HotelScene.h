#pragma once

#include "scene/Arena.h"
#include "scene/DrawSurface.h"
#include "scene/PictureList.h"
#include "scene/SceneSpriteEngine.h"

// The whole scene wired as the main window wires it, for the programs that draw a hotel
// without the window (the preview tool, the frame benchmark, the scene tests): a surface,
// the fifteen pictures, the engine attached to the surface, and the arena on both.
class THotelScene
{
public:
    explicit THotelScene(int width = 761, int height = 535);

    // One frame as the frame loop runs it: fill, move, draw.
    void Frame(int lagCount);

    TDrawSurface Surface;
    TPictureList Pictures;
    TSceneSpriteEngine Engine;
    TArena Arena;
};
