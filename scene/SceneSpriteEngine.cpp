#include "scene/SceneSpriteEngine.h"

void TSceneSpriteEngine::SceneViewInitialized(TDrawSurface &surface)
{
    FRoot.SetSurface(&surface);
}

void TSceneSpriteEngine::SceneViewFinalized()
{
    FRoot.SetSurface(nullptr);
}

void TSceneSpriteEngine::Draw()
{
    if (Initialized())
        FRoot.Draw();
}
