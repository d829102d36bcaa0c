#pragma once

#include "XSession.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>
#include <map>
#include <string>
#include <vector>

// The real game in a private X server: copies the program and the shipped
// catalog into a fresh directory, starts it, and offers the player's actions
// by the places of the window's controls.
//
// With TAMSEL_E2E_PROGRAM set it plays an installed program instead, found
// the way its menu entry finds it, and reads the saves from TAMSEL_E2E_SAVES,
// the folder where that program is expected to keep them, and its catalog
// from TAMSEL_E2E_CATALOG; the table tool is the one installed beside it.
class GameDriver
{
public:
    // Window-relative centres of the controls the tests press.
    static QPoint Load() { return {251, 320}; }
    static QPoint New() { return {363, 320}; }
    static QPoint Delete() { return {475, 320}; }
    static QPoint ListRow(int row) { return {293, 8 + 22 + 18 * row + 9}; }
    static QPoint MainMenu() { return {88, 196}; }
    static QPoint FloorButton() { return {55, 442}; }
    static QPoint Tool(int type) { return {55, 498 + 24 * (type - 1)}; }
    static QPoint Info(int page) { return {483, 573 + 24 * (page - 1)}; }
    static QPoint StationSwitch() { return {693, 586}; }
    static QPoint Plus() { return {672, 653}; }
    static QPoint Minus() { return {712, 654}; }
    static QPoint Comfort(int item) { return {588, 578 + 24 * (item - 1)}; }
    static QPoint Demolish() { return {931, 661}; }
    // A point of the scene's drawing surface, in window coordinates.
    static QPoint Scene(int x, int y) { return {185 + x, y}; }
    // Centre of a floor cell (storey 0 at the bottom).
    static QPoint Cell(int storey, int cell)
    {
        return Scene(40 + 50 * cell + 25, 490 - 50 * storey);
    }
    // The scene's drawing surface in window coordinates.
    static QRect SceneRect() { return {185, 0, 761, 535}; }

    // Makes the directory (under TMPDIR) with the program and the catalog.
    explicit GameDriver(const std::string &name);
    // Where screenshots go: TAMSEL_E2E_SHOTS, else e2e-shots/ of the build.
    static std::string ShotsDir();
    ~GameDriver();

    XSession &X() { return x_; }
    // The folder of the save tables.
    const std::string &Dir() const { return dir_; }
    const std::string &Log() const { return log_; }
    const std::string &BinDir() const { return toolsDir_; }

    // Later starts run the game under faketime with this clock ("+0 x40": from now, forty times
    // real speed; "+3600": an hour ahead); the game's timers, saves and backups all follow it.
    // Empty for the real clock.
    void RunOnClock(std::string faketime) { faketime_ = std::move(faketime); }

    // Starts the game and waits for its main window; gives it the focus,
    // since frames run only while the application is active.
    bool Start();
    // Start in two steps, for what comes before the main window.
    void Launch();
    bool WaitMain();
    // Starts the same program once more, on the same folders, as a second click on the menu
    // entry would; its output goes to the log file named. Returns its process id.
    pid_t LaunchAgain(const std::string &logFile);
    pid_t Pid() const { return pid_; }
    const XSession::TopWindow &Main() const { return main_; }
    bool Running() { return pid_ > 0 && x_.Running(pid_); }

    void Click(QPoint at, int button = 1);
    void Move(QPoint at);
    QImage GrabWindow();
    // One pixel of the window.
    QRgb PixelAt(QPoint at);
    QImage GrabScene();
    bool Shot(const std::string &pngFile);

    // Waits for the condition; on a time-out keeps a screenshot of the window
    // in e2e-shots/ of the build and names it on the error stream.
    bool Await(const std::function<bool()> &condition, XSession::Millis deadline);

    // The game's message window (the picture-shaped dialog), if one is up.
    bool MessageWindow(XSession::TopWindow &out);
    // A message box with an error text, if one is up.
    bool ErrorBox(XSession::TopWindow &out);
    // Presses OK on the message window.
    void CloseMessage(const XSession::TopWindow &dialog);
    // Types a name into the "New hotel" box and confirms it.
    bool NewHotel(const std::string &name);

    // Asks the window to close as a window manager would and waits for the
    // program to end; returns its exit status (-1 on a crash or time-out).
    int Quit();

    // Every record of a table file, as "dump" of the table tool prints it:
    // one map of field name to text per record. Throws when it cannot be read.
    std::vector<std::map<std::string, std::string>> Dump(const std::string &table) const;

private:
    XSession x_;
    std::string workDir_;
    std::string program_;
    std::string toolsDir_;
    std::string dir_;
    std::string catalogFile_;
    std::string log_;
    std::string name_;
    int failures_ = 0;
    pid_t pid_ = 0;
    std::string faketime_;
    XSession::TopWindow main_;
};

// Exact comparison of an area of a screenshot with a picture.
int CountEqualPixels(const QImage &shot, QPoint at, const QImage &picture, const QRect &source);
// A picture of the game's sprites from the source tree, or from
// TAMSEL_E2E_SPRITES when the tests run where the tree cannot be read.
QImage SpritePicture(const std::string &name);
