#include "model/Refusal.h"

#include "model/EAbort.h"
#include "model/MessageWindow.h"
#include "model/ModelSeams.h"

void TRefusal::Refuse(const std::string &message) const
{
    TGameTimer &timer = seams_.Timer();
    const bool running = timer.Enabled();
    timer.Stop();
    try {
        if (TMessageWindow *window = seams_.MessageWindow())
            window->ShowDialog(message);
    } catch (...) {
        if (running)
            timer.Start();
        throw;
    }
    if (running)
        timer.Start();
    throw EAbort();
}
