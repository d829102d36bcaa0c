#pragma once

#include <QString>
#include <vector>

class QWidget;
struct TTableFileError;

// What the player is told when the hotels could not be saved: which file
// failed and why, and that the game was not saved. At exit the box offers
// "Retry" (after freeing space, say) and "Quit without saving".
class TSaveFailureDialog
{
public:
    static QString Text(const std::vector<TTableFileError> &errors);
    // True for Retry; anything else (Quit without saving, the box closed, the
    // session ending meanwhile) is false.
    static bool AskRetry(QWidget *parent, const std::vector<TTableFileError> &errors);
};
