#pragma once

#include <QImage>
#include <QRect>
#include <chrono>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// Xlib stays out of this header: its macros (None, Status) clash with other headers.
struct _XDisplay;

// A private X server (Xvfb) for driving the real program: starts it on a
// display number it picks itself, launches programs on it, finds their
// windows, sends input through xdotool and reads pixels back. Everything
// that waits takes a deadline.
class XSession
{
public:
    using Millis = std::chrono::milliseconds;

    struct TopWindow
    {
        unsigned long id = 0; // the X window
        std::string title;
        QRect geometry; // in screen coordinates
        pid_t pid = 0;
    };

    XSession(int width = 1280, int height = 1024);
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    const std::string &DisplayName() const { return display_; }
    _XDisplay *Dpy() const { return dpy_; }

    // Starts a program on this display in the given directory; its output
    // goes to logFile. Returns the process id.
    pid_t Launch(const std::string &program, const std::vector<std::string> &args,
                 const std::string &workDir, const std::string &logFile);
    // Waits for the process to end; returns its exit status, or -1 on a signal
    // or when the deadline passed.
    int WaitExit(pid_t pid, Millis deadline);
    bool Running(pid_t pid);

    // Mapped top-level windows, newest last.
    std::vector<TopWindow> Windows();
    // Waits for a mapped top-level window whose title matches exactly.
    bool WaitWindow(const std::string &title, TopWindow &out, Millis deadline);
    // Waits until no mapped window has that title.
    bool WaitNoWindow(const std::string &title, Millis deadline);
    // Waits for a mapped top-level window that passes the test.
    bool WaitWindowWhere(const std::function<bool(const TopWindow &)> &test, TopWindow &out,
                         Millis deadline);

    // Runs xdotool with these arguments; true on success.
    bool Xdo(const std::vector<std::string> &args);
    void Focus(const TopWindow &window);
    // The window that has the keyboard focus; 0 when none (or the root) has it.
    unsigned long FocusedWindow();
    // Takes the focus from every window, as a click on the desktop does.
    void FocusNone();
    // Mouse actions at screen coordinates; button 1 left, 2 middle, 3 right.
    void Click(int x, int y, int button = 1);
    void MoveMouse(int x, int y);
    void Type(const std::string &text);
    void Key(const std::string &keys);

    // Screen contents.
    QImage Grab(const QRect &rect);
    QRgb Pixel(int x, int y);
    bool SaveScreenshot(const QRect &rect, const std::string &pngFile);

    // Closes a window the way a window manager does: WM_DELETE_WINDOW through
    // the small helper program beside the tests.
    bool CloseWindow(const TopWindow &window);

    // Ends the X server under the programs on it, as a crashed or killed display server does.
    void KillServer();

    // Polls the condition every 20 ms until it holds or the deadline passes.
    static bool WaitUntil(const std::function<bool()> &condition, Millis deadline);
    // The directory of the running executable, with a trailing '/'.
    static std::string ExeDir();

private:
    // Starts Xvfb and learns its display number; throws when it does not come up.
    void StartServer(int width, int height);
    // Ends the server this session started, if it still runs.
    void StopServer();
    static int RunProgram(const std::vector<std::string> &argv, const std::string &display);

    std::string display_;
    pid_t server_ = 0;
    _XDisplay *dpy_ = nullptr;
};
