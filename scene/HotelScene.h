#pragma once

#include "scene/Arena.h"
#include "scene/DrawSurface.h"
#include "scene/PictureList.h"
#include "scene/SceneSpriteEngine.h"

#include <cstdint>

// The whole scene wired as the main window wires it, for the programs that draw a hotel
// without the window (the preview tool, the frame benchmark, the scene tests): a surface,
// the fifteen pictures, the engine attached to the surface, and the arena on both.
class THotelScene
{
public:
    explicit THotelScene(int width = 761, int height = 535);

    // The raw pixel value every frame starts from: black.
    static constexpr std::uint32_t Background = 0;

    // One frame drawn in full: fill, move, draw.
    void Frame(int lagCount);
    // One frame as the frame loop runs it: move, then fill and draw only when that changes the
    // picture (the surface then holds what Frame would have left). Returns whether it drew.
    bool FrameIfChanged(int lagCount);

    TDrawSurface Surface;
    TPictureList Pictures;
    TSceneSpriteEngine Engine;
    TArena Arena;
};
