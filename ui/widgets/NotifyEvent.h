#pragma once

#include <functional>

class QObject;

// A click handler of the game's controls. Assigning an empty function detaches
// it; the control passes itself as Sender.
using TNotifyEvent = std::function<void(QObject *Sender)>;
