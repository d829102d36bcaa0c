#pragma once

#include <QString>
#include <Qt>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPainter;
class TD_Data;
class TGamePace;
class TJournalLink;
class TMainWindowLayout;
class TPictureList;
class TSceneSync;
struct TBackupSummary;

// What the commands ask the player and tell the application: the window's hooks.
struct TPlayerHooks
{
    // A new hotel's name; empty when cancelled.
    std::function<std::optional<QString>()> &AskHotelName;
    // The question with the action's button and Cancel; true to go ahead.
    std::function<bool(const QString &question, const QString &action)> &AskConfirmation;
    // Main menu has closed the hotel.
    std::function<void()> &OnHotelClosed;
    // The backup to restore, chosen from those listed; nothing when cancelled.
    std::function<std::optional<std::string>(const std::vector<TBackupSummary> &)> &AskBackup;
};

// The player's commands on the hotel list, the building tools, the floor and
// room panels and the scene. Each calls one operation of the model and then
// changes the scene through the scene's synchronisation and the pages of the
// panels. A refusal of the model ends the command at the model's call; the
// steps after it do not run.
class TPlayerCommands
{
public:
    TPlayerCommands(TD_Data &data, TMainWindowLayout &layout, TSceneSync &scene,
                    const TPictureList &pictures, TGamePace &pace, TJournalLink &journal,
                    TPlayerHooks hooks);

    // The chosen room type 1..5, -1 for none, 0 until the first Load.
    int BuildTool() const { return buildTool_; }

    // ---- The hotel list and the passage to the play screen and back ----
    void Load();
    void NewHotel();
    void DeleteHotel();
    // Lists the backups and restores the one the player chooses.
    void RestoreBackup();
    void MainMenu();

    // ---- Building ----
    // A room type, or -1 to release the chosen one with its button.
    void SelectBuildTool(int tool);
    // A tool button was clicked: tool is its room type, centreY its centre on the page.
    void ChooseTool(int tool, int centreY);
    // Releases a chosen tool; nothing without one.
    void ReleaseTool();
    void BuildFloor();
    // With Shift, a click that builds keeps the building tool chosen for the next room.
    void SceneMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void SceneMouseMove(int x, int y);
    // The leader line from the chosen tool and the chosen room's picture.
    void PaintLeader(QPainter &painter);
    void PaintToolPicture(QPainter &painter);

    // ---- The current floor and room ----
    void BuildStation(int station);
    void ChangeWorkers(int station, int delta);
    void BuyStuff(int item);
    void Demolish();
    // Rebuilds the chosen room when it is broken.
    void Rebuild();

private:
    // A catalog price for a label; empty while the catalog cannot be used.
    QString CatalogPriceText(int id);
    void ShowPrices();
    // Runs a purchase for the current floor; when the model refuses it, the
    // floor panel shows the model's state again before the refusal goes on, so
    // that no switch or box stays looking bought.
    void FloorPurchase(const std::function<void()> &purchase);

    TD_Data &data_;
    TMainWindowLayout &layout_;
    TSceneSync &scene_;
    const TPictureList &pictures_;
    TGamePace &pace_;
    TJournalLink &journal_;
    TPlayerHooks hooks_;
    int buildTool_ = 0;
};
