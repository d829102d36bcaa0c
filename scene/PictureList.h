#pragma once

#include "scene/PictureItems.h"

class TDrawSurface;

// The component the main window holds as PictureList. LoadStandard fills it with the game's
// fifteen pictures from the built-in resources, in their fixed order (item t - 1 is room type t).
class TPictureList
{
public:
    TPictureList() = default;

    // Replaces the items by the fifteen game pictures; throws std::runtime_error if a resource
    // picture cannot be read.
    void LoadStandard();

    // The drawing surface was made: every item makes its surface copy and cuts its patterns.
    void SceneViewInitialized(TDrawSurface &surface);
    // The drawing surface is going away: the items let their copies go.
    void SceneViewFinalized();

    TPictureItems Items;
};
