#include "scene/HotelScene.h"

THotelScene::THotelScene()
{
    Arena.Engine = &Engine;
    Arena.ImageList = &Pictures;
}

THotelScene::THotelScene(int width, int height) : THotelScene()
{
    ownSurface_ = std::make_unique<TDrawSurface>(width, height);
    Attach(*ownSurface_);
}

THotelScene::~THotelScene()
{
    // The sprites hold pictures and the engine's surface: they go before either.
    Engine.Root().Clear();
    Detach();
}

void THotelScene::Attach(TDrawSurface &surface)
{
    // Reading the pictures waits for the first surface, so a window shows before them.
    if (Pictures.Items.Count() == 0)
        Pictures.LoadStandard();
    Pictures.SceneViewInitialized(surface);
    Engine.SceneViewInitialized(surface);
    Arena.SetSurfaceHeight(surface.Height());
    surface_ = &surface;
}

void THotelScene::Detach()
{
    if (!surface_)
        return;
    Engine.SceneViewFinalized();
    Pictures.SceneViewFinalized();
    surface_ = nullptr;
}

void THotelScene::Frame(int lagCount)
{
    if (!surface_)
        return;
    surface_->Fill(Background);
    Engine.Move(lagCount);
    Engine.Draw();
}

bool THotelScene::FrameIfChanged(int lagCount)
{
    if (!surface_)
        return false;
    Engine.Move(lagCount);
    if (!Engine.PictureChanged(Background))
        return false;
    surface_->Fill(Background);
    Engine.Draw();
    return true;
}
