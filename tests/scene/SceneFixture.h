#pragma once

#include "scene/HotelScene.h"

#include <gtest/gtest.h>

// The scene as the main window sets it up: a 761 x 535 surface, the fifteen pictures, the
// engine attached, and the arena with the surface's height.
class SceneFixture : public ::testing::Test
{
protected:
    SceneFixture() { Arena.Random.seed(1); }

    // One frame as the frame loop runs it.
    void Frame(int lagCount = 1) { Scene.Frame(lagCount); }

    THotelScene Scene{THotelScene::kSurfaceWidth, THotelScene::kSurfaceHeight};
    TDrawSurface &Surface = Scene.Surface();
    TPictureList &Pictures = Scene.Pictures;
    TSceneSpriteEngine &Engine = Scene.Engine;
    TArena &Arena = Scene.Arena;
};
