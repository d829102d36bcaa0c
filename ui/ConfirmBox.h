#pragma once

#include <QString>
#include <memory>

class QMessageBox;
class QWidget;

// A question before a click that cannot be undone: the text, a button that
// goes ahead (captioned with the action, "Delete" or "Demolish") and Cancel.
// Cancel is the default, and Escape or closing the box cancels too.
class TConfirmBox
{
public:
    // The box, not yet shown; tests drive it.
    static std::unique_ptr<QMessageBox> Make(QWidget *parent, const QString &text,
                                             const QString &action);
    // Shows the box modally; true only when the player chose the action.
    static bool Ask(QWidget *parent, const QString &text, const QString &action);
    // Whether the box, after it closed, was answered with the action.
    static bool Accepted(const QMessageBox &box);
};
