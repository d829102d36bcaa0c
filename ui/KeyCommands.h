#pragma once

#include <QObject>
#include <functional>
#include <initializer_list>
#include <map>

class QWidget;
class TEventGuard;

// The one place where the main window's keys become commands. It watches the
// application's key presses and acts on those of a bound key that reach the
// main window or one of its controls, before the control sees them; keys
// meant for another window (a modal box) are left alone. Each command runs
// inside the window's guard, like a click.
class TKeyCommands : public QObject
{
public:
    TKeyCommands(QWidget *window, TEventGuard &guard);
    ~TKeyCommands() override;

    // The command of these keys (Qt::Key values), pressed without Shift, Ctrl
    // or Alt. A key held down runs its command once.
    void Bind(std::initializer_list<int> keys, std::function<void()> command);
    // Runs the command bound to key, as a press would; false when none is bound.
    bool Press(int key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
    TEventGuard &guard_;
    std::map<int, std::function<void()>> commands_;
};
