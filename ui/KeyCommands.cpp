#include "ui/KeyCommands.h"

#include "ui/EventGuard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

TKeyCommands::TKeyCommands(QWidget *window, TEventGuard &guard)
    : QObject(window), window_(window), guard_(guard)
{
    qApp->installEventFilter(this);
}

TKeyCommands::~TKeyCommands()
{
    qApp->removeEventFilter(this);
}

void TKeyCommands::Bind(std::initializer_list<int> keys, std::function<void()> command)
{
    for (int key : keys)
        commands_[key] = command;
}

bool TKeyCommands::Press(int key)
{
    const auto found = commands_.find(key);
    if (found == commands_.end())
        return false;
    const std::function<void()> command = found->second; // the command may rebind keys
    guard_.Run([&] { command(); });
    return true;
}

bool TKeyCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    // The same press also passes the window's platform object; only the
    // widget that receives it counts, so a command runs once.
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != window_)
        return false;
    if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != window_)
        return false;
    auto *press = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers held =
        press->modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (held != Qt::NoModifier || !commands_.contains(press->key()))
        return false;
    if (!press->isAutoRepeat())
        Press(press->key());
    return true;
}
