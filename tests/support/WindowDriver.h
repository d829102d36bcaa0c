#pragma once

#include <QObject>
#include <QString>
#include <Qt>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;
class TArena;
class TF_Main;
class TFrameTimer;
class TGlyphCheckBox;
class THelpWindow;
class THotelListModel;
class THotelScene;
class TJournalBook;
class TJournalPanel;
class TJournalWindow;
class TOvalButton;
class TRockerSwitch;
class TSceneCallbacks;
class TSceneView;
struct TBackupSummary;

// Drives the main window in the headless tests the way the player does: the
// list's buttons, the building tools, clicks on the scene, the floor panel's
// purchases, keys; and reads back what the player sees. Controls are found by
// their objectName; the parts that are no control (the guard, the scene, the
// frame timer, the journals) are reached through the window's one test seam,
// its friendship with this class. Stations are numbered 1 clean, 2 police,
// 3 fire; comfort items 1..4; tools by room type 1..5.
class TWindowDriver
{
public:
    explicit TWindowDriver(TF_Main &window);

    // ---- What the window asks and tells ----
    // Errors the guard would show in a box go here instead.
    void OnError(std::function<void(const QString &)> show);
    // The name box answers name; no name is Cancel.
    void AnswerHotelName(std::optional<QString> name);
    // The questions before Delete and Demolish get this answer.
    void
    AnswerQuestions(std::function<bool(const QString &question, const QString &action)> answer);
    void OnHotelClosed(std::function<void()> closed);
    // The Restore window answers with the folder this gives for the backups listed.
    void AnswerBackup(
        std::function<std::optional<std::string>(const std::vector<TBackupSummary> &)> answer);
    // Runs a handler the way the window's events do, inside its guard.
    void Run(const std::function<void()> &handler);

    // ---- The hotel list ----
    void Load();
    // "New", with the name box answered as AnswerHotelName said.
    void New();
    void Delete();
    void Restore();
    void MainMenu();
    void SelectListRow(int row);
    THotelListModel &HotelList();

    // ---- Building ----
    void BuyFloor();
    // A click on a tool button: the handler first, then the group presses the button.
    void ChooseTool(int type);
    // The tool selection itself; -1 releases the chosen tool.
    void SelectBuildTool(int tool);
    void ClickScene(Qt::MouseButton button, int x, int y,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void MoveOverScene(int x, int y);
    int BuildTool() const;
    TOvalButton *ToolButton(int type) const;

    // ---- The floor and room panels ----
    // The station's switch, "+" and "-" clicked (the handler, as the click runs it).
    void BuyStation(int station);
    void HireWorker(int station);
    void DismissWorker(int station);
    void BuyItem(int item);
    // The info button 1..4 over the station and comfort pages.
    void ClickInfo(int button);
    void Demolish();
    void Rebuild();
    TRockerSwitch *StationSwitch(int station) const;
    TOvalButton *HireButton(int station) const;
    TOvalButton *DismissButton(int station) const;
    TGlyphCheckBox *ItemBox(int item) const;
    bool WorkersEnabled(int station) const;

    // ---- Keys ----
    // A key pressed and released on a control of the window, as when the
    // player had clicked it before.
    void PressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // ---- What the player sees ----
    // A control by its objectName; null when there is none.
    template <class T = QWidget> T *Control(const char *name) const;
    // The caption of a shadow label, or "<no NAME>".
    QString LabelText(const char *name) const;
    int Page(const char *notebook) const;
    void ShowPage(const char *notebook, int page);

    // ---- Scene and frames ----
    // One frame of the frame loop, lag milliseconds after the last.
    void Frame(int lag);
    // The window as the model's scene: the view operations of the hourly rules.
    TSceneCallbacks &HourlyRules();
    THotelScene &Scene();
    TArena *Arena() const;
    TSceneView &SceneView() const;
    TFrameTimer &FrameTimer() const;

    // ---- Journal and help ----
    TJournalPanel &JournalPanel() const;
    TJournalWindow &JournalWindow() const;
    THelpWindow &HelpWindow() const;
    TJournalBook &Journals();

private:
    QWidget &Widget() const;
    QObject *Find(const char *name) const;

    TF_Main &window_;
};

template <class T> T *TWindowDriver::Control(const char *name) const
{
    return qobject_cast<T *>(Find(name));
}
