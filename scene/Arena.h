#pragma once

#include "common/ComfortItems.h"

#include <random>

class TPictureList;
class TSceneSpriteEngine;
class TFloorSprite;
class TRoomSprite;

// The hotel scene: its geometry, and the sprites of floors and rooms found or changed by the
// record ID they show. Every hotel sprite is a direct child of the engine's root.
class TArena
{
public:
    TArena() = default;

    void SetSurfaceHeight(int value) { SurfaceHeight = value; }
    int LeftMargin() const { return 40; }
    // y of the top of floor 0.
    int BaseLine() const { return SurfaceHeight - 70; }

    // Builds the sprites of one floor record: the floor, its strip, its stations (a value of 0
    // or more is a station) and the comfort items installed.
    TFloorSprite *AddFloor(int id, int floorId, int dirtyStation, int policyStation,
                           int fireStation, const TComfortItems &items);
    // Builds the sprite of one room record and its occupant; alpha is used only while the
    // room is under construction (status below 0).
    TRoomSprite *AddRoom(int id, int roomType, int floorId, int cell, int status, int alpha);

    // Kills and frees every root child with this record ID (a room takes its occupant along).
    void KillByID(int id);
    // Kills and frees every sprite of the scene.
    void KillAll();
    void SetAlphaByID(int id, int alpha);
    // Sets the status of the first room sprite with this ID.
    void SetStatusByID(int id, int status);
    // The first floor sprite showing storey floorId, or nullptr.
    TFloorSprite *FindFloor(int floorId) const;
    // Removes a worn-out comfort item (1..4) of a storey at once; nothing without that floor.
    void RemoveFloorStuff(int floorId, int item);

    TPictureList *ImageList = nullptr;
    TSceneSpriteEngine *Engine = nullptr;
    // Width of one building cell; a floor has ten.
    static constexpr int CellWidth = 50;
    int SurfaceHeight = 0;
    // Chooses each occupant's first frame.
    std::minstd_rand Random{std::random_device{}()};
};
