#pragma once

class TArena;
class TD_Data;
class THotelScene;
class TSceneView;
class TSprite;

// Keeps the scene's sprites in step with the hotel's tables: adds the
// sprites of floor and room records, applies the three view operations of
// the hourly rules and the scene changes of the player's commands. Until the
// drawing surface has initialised there is no arena; a command that needs it
// makes the surface first, while a view operation of the rules changes
// nothing.
class TSceneSync
{
public:
    TSceneSync(THotelScene &scene, TSceneView &view, TD_Data &data);

    // The surface has initialised: the scene's arena is ready.
    void SurfaceReady();
    // Null until the surface has initialised.
    TArena *Arena() const { return arena_; }
    // The arena, making the surface first if need be; throws when it cannot.
    TArena &SceneArena();

    // The sprites of the current tFloor record, of the current tRoom record,
    // and of every record of each table.
    void AddFloorSprite();
    void AddRoomSprite();
    void AddFloorSprites();
    void AddRoomSprites();

    // The view operations of the hourly rules.
    void SetRoomAlpha(int roomId, int alpha);
    void SetRoomStatus(int roomId, int status);
    void RemoveFloorStuff(int floorId, int item);

    // What the player's commands change: every sprite goes; a room's sprites
    // go; a floor gains a station (1..3) without workers or a comfort item (1..4).
    void RemoveAll();
    void RemoveRoom(int roomId);
    void AddStation(int floorId, int station);
    void AddItem(int floorId, int item);

    // The topmost sprite under a point of the surface, or null; the floor
    // cell a surface x falls in (truncated toward zero).
    TSprite *SpriteAt(int x, int y);
    int CellAt(int x);

private:
    THotelScene &scene_;
    TSceneView &view_;
    TD_Data &data_;
    TArena *arena_ = nullptr;
};
