#pragma once

#include "model/JournalBook.h"
#include "model/SceneCallbacks.h"
#include "scene/HotelScene.h"
#include "store/DataSource.h"
#include "ui/EventGuard.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QScrollArea;
class QStackedWidget;
class TBuildingTools;
class TD_Data;
class TFloorPanel;
class TFrameTimer;
class TGamePace;
class TKeyCommands;
class THelpWindow;
class THotelInfoPanel;
class THotelListModel;
class TJournalPanel;
class TJournalWindow;
class TListPage;
class TRoomPanel;
class TSceneView;
class TTooltips;
class TtamselVersion;

// The main window: the hotel list and the play screen on the notebook
// ntMain, the left panel with the hotel's figures and the building tools, the
// scene with its frame loop, and every player command. Each command calls one
// operation of the model and then changes the scene's sprites through Arena.
// Every handler runs inside Guard. The window is also the model's scene:
// the hourly rules change sprites through the three view operations.
class TF_Main : public QWidget, public TSceneCallbacks
{
    Q_OBJECT
public:
    explicit TF_Main(TD_Data &data, QWidget *parent = nullptr);
    ~TF_Main() override;

    // ---- Fields ----
    // The chosen room type 1..5, -1 for none, 0 until the first Load.
    int BuildTool = 0;
    // The scene's arena, set once the drawing surface has initialised.
    TArena *Arena = nullptr;
    QString VersionText;

    // ---- Components ----
    // The pictures, the engine and the arena, wired as every program that draws a hotel wires
    // them, on SceneView's surface.
    THotelScene Scene;
    TPictureList &PictureList = Scene.Pictures;
    TSceneSpriteEngine &HotelEngine = Scene.Engine;
    TFrameTimer *FrameTimer;
    TtamselVersion *tamselVersion1;
    TDataSource dsHotel, dsFloor, dsRooms, dsCurrFloor, dsCurrRoom;
    TEventGuard Guard;
    // The window's keys; every key command is bound here (see BindKeys).
    TKeyCommands *Keys;
    // Pause and speed of the game clock.
    std::unique_ptr<TGamePace> Pace;

    // ---- Controls ----
    QWidget *Panel1;
    QStackedWidget *ntMain;
    QScrollArea *ScrollBox1;
    TSceneView *SceneView;
    QWidget *Panel3;
    THotelListModel *HotelList;
    std::unique_ptr<TListPage> ListPage;
    std::unique_ptr<THotelInfoPanel> HotelInfo;
    std::unique_ptr<TBuildingTools> Tools;
    std::unique_ptr<TFloorPanel> FloorPanel;
    std::unique_ptr<TRoomPanel> RoomPanel;

    // ---- Journal and explanations ----
    // The journals of the hotels opened in this session; the open hotel's listens to the model.
    TJournalBook Journals;
    TJournalPanel *JournalPanel;   // the latest report, in the left panel
    TJournalWindow *JournalWindow; // J: the whole journal and its chart
    THelpWindow *HelpWindow;       // F1: how to play
    std::unique_ptr<TTooltips> Tips;

    // Asks for a new hotel's name; empty when cancelled. Tests replace it.
    std::function<std::optional<QString>()> AskHotelName;
    // Asks the question with the action's button and Cancel; true to go ahead.
    // Tests replace it.
    std::function<bool(const QString &question, const QString &action)> AskConfirmation;
    // Runs when Main menu has closed the hotel (the application saves then).
    std::function<void()> OnHotelClosed;

    // ---- Start, list and play screen ----
    void FormCreate();
    void BitBtn1Click(QObject *Sender);     // Load
    void BitBtn2Click(QObject *Sender);     // New
    void BitBtn3Click(QObject *Sender);     // Delete
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

    // ---- Keys ----
    void BindKeys();
    // Space or P: pauses or resumes the open hotel's clock.
    void PauseKeyPress();
    // 1, 2 or 3: one, two or four game hours per second.
    void SpeedKeyPress(int hoursPerSecond);
    // Escape: releases the building tool, as a right click does.
    void EscapeKeyPress();
    // ---- Journal and help ----
    // J: shows the open hotel's journal window (nothing while no hotel is open).
    void ShowJournalWindow();
    // F1: shows the "How to play" window.
    void ShowHelpWindow();
    // H: switches the high-contrast colours on or off, kept for the next run.
    void HighContrastKeyPress();

    // ---- View operations of the hourly rules ----
    void SetRoomAlpha(int roomId, int alpha) override;
    void SetRoomStatus(int roomId, int status) override;
    void RemoveFloorStuff(int floorId, int item) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildWindow();
    // What start-up leaves until the window is on the screen: the drawing
    // surface and the icon.
    void FinishStart();
    void PaintBox2Paint(QPainter &painter);
    void PaintBox3Paint(QPainter &painter);
    // The handler wrapped in Guard, for a control's OnClick.
    std::function<void(QObject *)> Handler(void (TF_Main::*method)(QObject *));
    TArena &SceneArena();
    // Runs a purchase for the current floor; when the model refuses it, the
    // floor panel shows the model's state again before the refusal goes on, so
    // that no switch or box stays looking bought.
    void FloorPurchase(const std::function<void()> &purchase);
    // The open hotel's journal listens to the hourly rules and shows in the panels.
    void OpenJournal(int hotelId);
    void CloseJournal();

    TD_Data &data_;
    bool shown_ = false;
    bool surfaceRequested_ = false;
};
