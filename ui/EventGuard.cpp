#include "ui/EventGuard.h"

#include "model/EAbort.h"

#include <QMessageBox>
#include <exception>

bool TEventGuard::Run(const std::function<void()> &handler) const noexcept
{
    try {
        handler();
        return true;
    } catch (const EAbort &) {
        // The model has already shown why the command was refused.
    } catch (const std::exception &e) {
        Report(QString::fromUtf8(e.what()));
    } catch (...) {
        Report(QStringLiteral("Unknown error"));
    }
    return false;
}

bool TEventGuard::RunRepeating(const std::function<void()> &handler,
                               const std::function<void()> &stop) const noexcept
{
    return Run([&] {
        try {
            handler();
        } catch (const EAbort &) {
            throw;
        } catch (...) {
            stop();
            throw;
        }
    });
}

void TEventGuard::Report(const QString &text) const noexcept
{
    try {
        if (ShowError)
            ShowError(text);
        else
            QMessageBox::critical(window_, QStringLiteral("Error"), text);
    } catch (...) {
        // Nothing more can be done for an error while reporting an error.
    }
}
