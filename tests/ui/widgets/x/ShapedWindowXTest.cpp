// The message window's shape on a real X server: a click on a cut-away part
// reaches the window behind it, a click on the board reaches the message
// window. Runs its own Xvfb and clicks with xdotool; skips without them.
#include "ui/TF_Dialog.h"
#include "ui/widgets/GameArt.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/ShapedPicture.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

bool haveX = false;

class PressRecorder : public QWidget
{
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

// Clicks at a screen point as the player would and waits, with a deadline,
// until some window has seen a press.
bool ClickAt(QPoint screen, const std::function<bool()> &seen)
{
    const int rc = QProcess::execute(QStringLiteral("xdotool"),
                                     {QStringLiteral("mousemove"), QString::number(screen.x()),
                                      QString::number(screen.y()), QStringLiteral("click"),
                                      QStringLiteral("1")});
    if (rc != 0)
        return false;
    QDeadlineTimer deadline(5000);
    while (!seen() && !deadline.hasExpired())
        QTest::qWait(20);
    return seen();
}

TEST(ShapedWindowOnX, ClicksOnTheCutAwayBackgroundReachTheWindowBehind)
{
    if (!haveX)
        GTEST_SKIP() << "needs Xvfb and xdotool";
    PressRecorder behind;
    behind.setGeometry(0, 0, 700, 600);
    behind.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&behind));

    TF_Dialog dialog;
    int okClicks = 0;
    dialog.OvalButton1->OnClick = [&](QObject *) { ++okClicks; };
    dialog.move(100, 80);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QPoint origin = dialog.geometry().topLeft();
    const QRegion shape = TShapedPicture::PictureRegion(MessagePicture());

    // The blue sky above the figure's head is cut away.
    const QPoint sky(20, 20);
    ASSERT_FALSE(shape.contains(sky));
    EXPECT_TRUE(ClickAt(origin + sky, [&] { return behind.presses > 0; }));
    EXPECT_EQ(behind.presses, 1);

    // The "OK" button on the board is the message window's own.
    const QPoint ok = dialog.OvalButton1->geometry().center();
    EXPECT_TRUE(ClickAt(origin + ok, [&] { return okClicks > 0; }));
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(behind.presses, 1);
}

pid_t StartXvfb(std::string &display)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const std::string fd = std::to_string(fds[1]);
    const char *argv[] = {"Xvfb",        "-displayfd", fd.c_str(), "-screen", "0",
                          "1024x768x24", "-nolisten",  "tcp",      nullptr};
    pid_t pid = -1;
    if (posix_spawnp(&pid, "Xvfb", nullptr, nullptr, const_cast<char **>(argv), environ) != 0)
        pid = -1;
    close(fds[1]);
    char buffer[32] = {};
    const ssize_t n = pid > 0 ? read(fds[0], buffer, sizeof buffer - 1) : -1;
    close(fds[0]);
    if (n <= 0) {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        return -1;
    }
    display = ":" + std::string(buffer, std::strcspn(buffer, "\n"));
    return pid;
}

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no server.
    const bool listing = testing::GTEST_FLAG(list_tests);
    pid_t server = -1;
    std::string display;
    if (!listing && !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        server = StartXvfb(display);
    if (server > 0) {
        setenv("DISPLAY", display.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        haveX = true;
    } else {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (server > 0) {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }
    return result;
}
