#pragma once

#include "model/SceneCallbacks.h"

#include <string>
#include <vector>

// Records the view callbacks of the model in order, as "status 3 0",
// "alpha 3 85" and "stuff 0 2" (floor storey, item).
class FakeSceneCallbacks : public TSceneCallbacks
{
public:
    void SetRoomStatus(int roomId, int status) override
    {
        Calls.push_back("status " + std::to_string(roomId) + " " + std::to_string(status));
    }
    void SetRoomAlpha(int roomId, int alpha) override
    {
        Calls.push_back("alpha " + std::to_string(roomId) + " " + std::to_string(alpha));
    }
    void RemoveFloorStuff(int floorId, int item) override
    {
        Calls.push_back("stuff " + std::to_string(floorId) + " " + std::to_string(item));
    }

    std::vector<std::string> Calls;
};
