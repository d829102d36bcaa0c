#include "scene/SceneSpriteEngine.h"

void TSceneSpriteEngine::SceneViewInitialized(TDrawSurface &surface)
{
    root_.SetSurface(&surface);
}

void TSceneSpriteEngine::SceneViewFinalized()
{
    root_.SetSurface(nullptr);
}

void TSceneSpriteEngine::Draw()
{
    if (Initialized())
        root_.Draw();
}
