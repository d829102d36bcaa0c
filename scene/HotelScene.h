#pragma once

#include "scene/Arena.h"
#include "scene/DrawSurface.h"
#include "scene/PictureList.h"
#include "scene/SceneSpriteEngine.h"

#include <cstdint>
#include <memory>

// The whole scene wired once, for the main window and for the programs that draw a hotel
// without it (the preview tool, the frame benchmark, the scene tests): the fifteen pictures,
// the engine, the arena on both, and the drawing surface they paint on.
class THotelScene
{
public:
    // The scene's size in the window.
    static constexpr int kSurfaceWidth = 761;
    static constexpr int kSurfaceHeight = 535;

    // A scene waiting for the surface a window makes (Attach).
    THotelScene();
    // A scene on a surface of its own, attached at once.
    THotelScene(int width, int height);
    ~THotelScene();
    THotelScene(const THotelScene &) = delete;
    THotelScene &operator=(const THotelScene &) = delete;

    // The surface was made: the pictures (read on first use) make their surface copies, the
    // engine paints on it, and the arena's base line follows its height.
    void Attach(TDrawSurface &surface);
    // The surface is going away: pictures and engine let it go; the sprites stay.
    void Detach();
    bool Attached() const { return surface_ != nullptr; }
    TDrawSurface &Surface() { return *surface_; }

    // The raw pixel value every frame starts from: black.
    static constexpr std::uint32_t Background = 0;

    // One frame drawn in full: fill, move, draw. Nothing without a surface.
    void Frame(int lagCount);
    // One frame as the frame loop runs it: move, then fill and draw only when that changes the
    // picture (the surface then holds what Frame would have left). Returns whether it drew;
    // nothing without a surface.
    bool FrameIfChanged(int lagCount);

    TPictureList Pictures;
    TSceneSpriteEngine Engine;
    TArena Arena;

private:
    std::unique_ptr<TDrawSurface> ownSurface_;
    TDrawSurface *surface_ = nullptr;
};
