#include "scene/HotelScene.h"

THotelScene::THotelScene(int width, int height) : Surface(width, height)
{
    Pictures.LoadStandard();
    Pictures.SceneViewInitialized(Surface);
    Engine.SceneViewInitialized(Surface);
    Arena.Engine = &Engine;
    Arena.ImageList = &Pictures;
    Arena.SetSurfaceHeight(height);
}

void THotelScene::Frame(int lagCount)
{
    Surface.Fill(Background);
    Engine.Move(lagCount);
    Engine.Draw();
}

bool THotelScene::FrameIfChanged(int lagCount)
{
    Engine.Move(lagCount);
    if (!Engine.PictureChanged(Background))
        return false;
    Surface.Fill(Background);
    Engine.Draw();
    return true;
}
