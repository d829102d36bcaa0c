#pragma once

#include <QString>
#include <functional>

class QWidget;

// Qt lets no exception cross its event loop, so every handler of the window
// runs through one guard: the silent abort of a refused command (EAbort) ends
// the handler quietly, any other error is shown in a message box, and the
// window stays usable.
class TEventGuard
{
public:
    explicit TEventGuard(QWidget *window = nullptr) : window_(window) {}

    // Runs the handler; returns false when it was abandoned.
    bool Run(const std::function<void()> &handler) const noexcept;
    // Runs a handler that repeats by itself (the game clock's hour): when it fails with an error,
    // stop runs before the error is shown, so that an error of every hour is shown once instead
    // of coming back behind its own box, and the window stays free to be closed and saved.
    bool RunRepeating(const std::function<void()> &handler,
                      const std::function<void()> &stop) const noexcept;

    // Shows an error; by default a modal message box over the window.
    std::function<void(const QString &)> ShowError;

private:
    void Report(const QString &text) const noexcept;

    QWidget *window_;
};
