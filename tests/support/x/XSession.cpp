#include "XSession.h"

#include "tests/support/WaitUntil.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::vector<char *> CArgs(const std::vector<std::string> &args)
{
    std::vector<char *> out;
    for (const auto &a : args)
        out.push_back(const_cast<char *>(a.c_str()));
    out.push_back(nullptr);
    return out;
}

std::string WindowTitle(::Display *dpy, ::Window w)
{
    const Atom netName = XInternAtom(dpy, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::string title;
    if (XGetWindowProperty(dpy, w, netName, 0, 1024, False, utf8, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char *>(data), count);
        XFree(data);
        return title;
    }
    char *name = nullptr;
    if (XFetchName(dpy, w, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

pid_t WindowPid(::Display *dpy, ::Window w)
{
    const Atom pidAtom = XInternAtom(dpy, "_NET_WM_PID", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    pid_t pid = 0;
    if (XGetWindowProperty(dpy, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        if (count == 1)
            pid = static_cast<pid_t>(*reinterpret_cast<unsigned long *>(data));
        XFree(data);
    }
    return pid;
}

int IgnoreXErrors(::Display *, XErrorEvent *)
{
    return 0;
}

} // namespace

XSession::XSession(int width, int height)
{
    StartServer(width, height);
    // The destructor does not run for a constructor that throws: the server
    // started above is stopped here, or it would outlive the test.
    try {
        XSetErrorHandler(IgnoreXErrors);
        dpy_ = XOpenDisplay(display_.c_str());
        if (!dpy_)
            throw std::runtime_error("cannot open display " + display_);
    } catch (...) {
        StopServer();
        throw;
    }
}

XSession::~XSession()
{
    if (dpy_)
        XCloseDisplay(dpy_);
    StopServer();
}

void XSession::StartServer(int width, int height)
{
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const std::string fd = std::to_string(fds[1]);
    // -displayfd lets the server take the first free display number, so
    // parallel runs never clash.
    std::vector<std::string> argv = {"Xvfb",     "-displayfd", fd,          "-screen",
                                     "0",        screen,       "-nolisten", "tcp",
                                     "-noreset", "+extension", "DAMAGE"};
    const pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        throw std::runtime_error("cannot start Xvfb: fork failed");
    }
    if (child == 0) {
        close(fds[0]);
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        auto c = CArgs(argv);
        execvp("Xvfb", c.data());
        _exit(127);
    }
    server_ = child;
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < until) {
        if (poll(&p, 1, 200) > 0) {
            char ch = 0;
            const ssize_t n = read(fds[0], &ch, 1);
            if (n <= 0 || ch == '\n')
                break;
            number += ch;
        }
    }
    close(fds[0]);
    if (number.empty()) {
        StopServer();
        throw std::runtime_error("Xvfb did not start");
    }
    display_ = ":" + number;
}

void XSession::StopServer()
{
    if (server_ > 0) {
        kill(server_, SIGTERM);
        waitpid(server_, nullptr, 0);
        server_ = 0;
    }
}

void XSession::KillServer()
{
    // Our own connection goes first: Xlib ends a program whose server vanished under it.
    if (dpy_) {
        XCloseDisplay(dpy_);
        dpy_ = nullptr;
    }
    if (server_ > 0) {
        kill(server_, SIGKILL);
        waitpid(server_, nullptr, 0);
        server_ = 0;
    }
}

pid_t XSession::Launch(const std::string &program, const std::vector<std::string> &args,
                       const std::string &workDir, const std::string &logFile)
{
    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), args.begin(), args.end());
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(workDir.c_str()) != 0)
            _exit(126);
        const int log = open(logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (log >= 0) {
            dup2(log, 1);
            dup2(log, 2);
        }
        setenv("DISPLAY", display_.c_str(), 1);
        unsetenv("QT_QPA_PLATFORM");
        unsetenv("WAYLAND_DISPLAY");
        auto c = CArgs(argv);
        execv(program.c_str(), c.data());
        _exit(127);
    }
    return pid;
}

int XSession::WaitExit(pid_t pid, Millis deadline)
{
    int status = 0;
    pid_t done = 0;
    WaitUntil(
        [&] {
            done = waitpid(pid, &status, WNOHANG);
            return done != 0;
        },
        deadline);
    if (done != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool XSession::Running(pid_t pid)
{
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == 0;
}

std::vector<XSession::TopWindow> XSession::Windows()
{
    std::vector<TopWindow> out;
    ::Window root = DefaultRootWindow(dpy_), parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(dpy_, root, &root, &parent, &children, &count))
        return out;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attr;
        if (!XGetWindowAttributes(dpy_, children[i], &attr) || attr.map_state != IsViewable ||
            attr.override_redirect)
            continue;
        TopWindow w;
        w.id = children[i];
        w.title = WindowTitle(dpy_, children[i]);
        w.pid = WindowPid(dpy_, children[i]);
        int x = 0, y = 0;
        ::Window child = 0;
        XTranslateCoordinates(dpy_, children[i], root, 0, 0, &x, &y, &child);
        w.geometry = QRect(x, y, attr.width, attr.height);
        out.push_back(w);
    }
    if (children)
        XFree(children);
    return out;
}

bool XSession::WaitWindowWhere(const std::function<bool(const TopWindow &)> &test, TopWindow &out,
                               Millis deadline)
{
    return WaitUntil(
        [&] {
            for (const auto &w : Windows())
                if (test(w)) {
                    out = w;
                    return true;
                }
            return false;
        },
        deadline);
}

bool XSession::WaitWindow(const std::string &title, TopWindow &out, Millis deadline)
{
    return WaitWindowWhere([&](const TopWindow &w) { return w.title == title; }, out, deadline);
}

bool XSession::WaitNoWindow(const std::string &title, Millis deadline)
{
    return WaitUntil(
        [&] {
            for (const auto &w : Windows())
                if (w.title == title)
                    return false;
            return true;
        },
        deadline);
}

int XSession::RunProgram(const std::vector<std::string> &argv, const std::string &display)
{
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("DISPLAY", display.c_str(), 1);
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        auto c = CArgs(argv);
        execvp(c[0], c.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool XSession::Xdo(const std::vector<std::string> &args)
{
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv, display_) == 0;
}

void XSession::Focus(const TopWindow &window)
{
    Xdo({"windowfocus", "--sync", std::to_string(window.id)});
}

unsigned long XSession::FocusedWindow()
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(dpy_, &focus, &revert);
    return focus == PointerRoot || focus == None || focus == DefaultRootWindow(dpy_) ? 0 : focus;
}

void XSession::FocusNone()
{
    XSetInputFocus(dpy_, PointerRoot, RevertToPointerRoot, CurrentTime);
    XSync(dpy_, False);
}

void XSession::MoveMouse(int x, int y)
{
    Xdo({"mousemove", "--sync", std::to_string(x), std::to_string(y)});
}

void XSession::Click(int x, int y, int button)
{
    Xdo({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click",
         std::to_string(button)});
}

void XSession::Type(const std::string &text)
{
    Xdo({"type", "--delay", "30", text});
}

void XSession::Key(const std::string &keys)
{
    Xdo({"key", keys});
}

QImage XSession::Grab(const QRect &rect)
{
    XImage *img = XGetImage(dpy_, DefaultRootWindow(dpy_), rect.x(), rect.y(), rect.width(),
                            rect.height(), AllPlanes, ZPixmap);
    if (!img)
        return {};
    QImage out(rect.width(), rect.height(), QImage::Format_RGB32);
    for (int y = 0; y < rect.height(); ++y)
        for (int x = 0; x < rect.width(); ++x) {
            const unsigned long p = XGetPixel(img, x, y);
            out.setPixel(x, y, qRgb((p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff));
        }
    XDestroyImage(img);
    return out;
}

QRgb XSession::Pixel(int x, int y)
{
    return Grab(QRect(x, y, 1, 1)).pixel(0, 0);
}

bool XSession::SaveScreenshot(const QRect &rect, const std::string &pngFile)
{
    return Grab(rect).save(QString::fromStdString(pngFile), "PNG");
}

bool XSession::CloseWindow(const TopWindow &window)
{
    return RunProgram({ExeDir() + "x-close-window", std::to_string(window.id)}, display_) == 0;
}

bool XSession::WaitUntil(const std::function<bool()> &condition, Millis deadline)
{
    return ::WaitUntil(condition, deadline);
}

std::string XSession::ExeDir()
{
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string path(buf, n > 0 ? static_cast<size_t>(n) : 0);
    return path.substr(0, path.rfind('/') + 1);
}
