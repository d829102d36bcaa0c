#pragma once

#include "model/SceneCallbacks.h"
#include "scene/HotelScene.h"
#include "store/DataSource.h"
#include "ui/EventGuard.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TD_Data;
class TFrameTimer;
class TGamePace;
class TJournalLink;
struct TBackupSummary;
class TKeyCommands;
class TMainWindowLayout;
class TPlayerCommands;
class TSceneSync;
class TtamselVersion;

// The main window: the hotel list and the play screen on the notebook
// ntMain, the left panel with the hotel's figures and the building tools, the
// scene with its frame loop, and every player command. This is where the
// parts are wired: the controls (TMainWindowLayout), the player's commands
// (TPlayerCommands), the scene's synchronisation with the tables
// (TSceneSync) and the journal (TJournalLink). Every handler runs inside the
// window's guard. The window is also the model's scene: the hourly rules
// change sprites through the three view operations.
class TF_Main : public QWidget, public TSceneCallbacks
{
    Q_OBJECT
public:
    explicit TF_Main(TD_Data &data, QWidget *parent = nullptr);
    ~TF_Main() override;

    // The chosen room type 1..5, -1 for none, 0 until the first Load.
    int BuildTool() const;
    // The scene's arena, set once the drawing surface has initialised.
    TArena *Arena() const;
    // The program's file version, read when the drawing surface initialised.
    const QString &VersionText() const { return versionText_; }

    // Asks for a new hotel's name; empty when cancelled. Tests replace it.
    std::function<std::optional<QString>()> AskHotelName;
    // Asks the question with the action's button and Cancel; true to go ahead.
    // Tests replace it.
    std::function<bool(const QString &question, const QString &action)> AskConfirmation;
    // Runs when Main menu has closed the hotel (the application saves then).
    std::function<void()> OnHotelClosed;
    // Asks which backup to restore; nothing when cancelled. Tests replace it.
    std::function<std::optional<std::string>(const std::vector<TBackupSummary> &)> AskBackup;

    // ---- Start, list and play screen ----
    void FormCreate();
    void BitBtn1Click(QObject *Sender); // Load
    void BitBtn2Click(QObject *Sender); // New
    void BitBtn3Click(QObject *Sender); // Delete
    void btRestoreClick(QObject *Sender);
    void OvalButton9Click(QObject *Sender); // Main menu
    void AddFloorSprite();
    void AddRoomSprite();
    void AddFloorSprites();
    void AddRoomSprites();

    // ---- Frame loop ----
    void SceneViewInitialize();
    void SceneViewFinalize();
    void FrameTimerTimer(int LagCount);

    // ---- Player commands ----
    void SelectBuildTool(int tool);
    void OvalButton1Click(QObject *Sender); // a room tool
    void btFloorClick(QObject *Sender);
    void SceneViewMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void SceneViewMouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    void btDirtyStationClick(QObject *Sender);
    void btBayStuffClick(QObject *Sender);
    void btSellWorkersClick(QObject *Sender);
    void btStuff01Click(QObject *Sender);
    void OvalButton7Click(QObject *Sender); // Demolish
    void btRebuildClick(QObject *Sender);

    // ---- Keys ----
    // Space or P: pauses or resumes the open hotel's clock.
    void PauseKeyPress();
    // 1, 2 or 3: one, two or four game hours per second.
    void SpeedKeyPress(int hoursPerSecond);
    // Escape: releases the building tool, as a right click does.
    void EscapeKeyPress();
    // J: shows the open hotel's journal window (nothing while no hotel is open).
    void ShowJournalWindow();
    // F1: shows the "How to play" window.
    void ShowHelpWindow();
    // H: switches the high-contrast colours on or off, kept for the next run.
    void HighContrastKeyPress();
    // The names of the hotels in the list, which a new hotel may not take.
    QStringList HotelNames() const;
    // R: Rebuild, while the room page shows a broken room.
    void RebuildKeyPress();

    // ---- View operations of the hourly rules ----
    void SetRoomAlpha(int roomId, int alpha) override;
    void SetRoomStatus(int roomId, int status) override;
    void RemoveFloorStuff(int floorId, int item) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The test seam: the headless tests' window driver reaches the guard, the
    // scene, the frame timer, the layout's parts and the journals through
    // these members, and every control by its objectName; nothing else does.
    friend class TWindowDriver;

    // Binds every control's handler, the scene view's events and the frame loop.
    void WireControls();
    void BindKeys();
    // What start-up leaves until the window is on the screen: the drawing
    // surface and the icon.
    void FinishStart();
    // The handler wrapped in Guard, for a control's OnClick.
    std::function<void(QObject *)> Handler(void (TF_Main::*method)(QObject *));

    TD_Data &data_;
    // The pictures, the engine and the arena, wired as every program that draws a hotel wires
    // them, on SceneView's surface.
    THotelScene scene_;
    TFrameTimer *frameTimer_;
    TtamselVersion *tamselVersion1_;
    TDataSource dsHotel_, dsFloor_, dsRooms_, dsCurrFloor_, dsCurrRoom_;
    TEventGuard guard_;
    // The window's keys; every key command is bound here (see BindKeys).
    TKeyCommands *keys_;
    // Pause and speed of the game clock.
    std::unique_ptr<TGamePace> pace_;
    std::unique_ptr<TMainWindowLayout> layout_;
    std::unique_ptr<TSceneSync> sync_;
    std::unique_ptr<TJournalLink> journal_;
    std::unique_ptr<TPlayerCommands> commands_;
    QString versionText_;
    bool shown_ = false;
    bool surfaceRequested_ = false;
};
