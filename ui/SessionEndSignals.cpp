#include "ui/SessionEndSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const int EndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// [0] is read by the event loop, [1] written by the handler.
int signalPipe[2] = {-1, -1};

extern "C" void RecordSignal(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a signal the loop has yet to read.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

TSessionEndSignals::TSessionEndSignals(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0)
        return;
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TSessionEndSignals::ReadSignals);
    struct sigaction action
    {
    };
    action.sa_handler = RecordSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : EndingSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

TSessionEndSignals::~TSessionEndSignals()
{
    for (const int signalNumber : EndingSignals)
        std::signal(signalNumber, SIG_DFL);
    for (int &end : signalPipe) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

void TSessionEndSignals::ReadSignals()
{
    unsigned char byte = 0;
    while (::read(signalPipe[0], &byte, 1) == 1)
        emit Ended(byte);
}
