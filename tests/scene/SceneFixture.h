#pragma once

#include "scene/Arena.h"
#include "scene/DrawSurface.h"
#include "scene/PictureList.h"
#include "scene/SceneSpriteEngine.h"

#include <gtest/gtest.h>

// The scene as the main window sets it up: a 761 x 535 surface, the fifteen pictures, the
// engine attached, and the arena with the surface's height.
class SceneFixture : public ::testing::Test
{
protected:
    SceneFixture() : Surface(761, 535)
    {
        Pictures.LoadStandard();
        Pictures.SceneViewInitialized(Surface);
        Engine.SceneViewInitialized(Surface);
        Arena.Engine = &Engine;
        Arena.ImageList = &Pictures;
        Arena.SetSurfaceHeight(535);
        Arena.Random.seed(1);
    }

    // One frame as the frame loop runs it.
    void Frame(int lagCount = 1)
    {
        Surface.Fill(0);
        Engine.Move(lagCount);
        Engine.Draw();
    }

    TDrawSurface Surface;
    TPictureList Pictures;
    TSceneSpriteEngine Engine;
    TArena Arena;
};
