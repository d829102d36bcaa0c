#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QInputDialog;
class QWidget;

// The "New hotel" box: the prompt "Enter name", one field that starts empty
// and takes no more characters than a hotel's name holds (rather than cutting
// a longer name when it is stored), OK and Cancel. Names are saved in an 8-bit
// code page: a character it cannot hold is refused, never changed silently.
class THotelNameBox
{
public:
    // Sets up the box; tests look at the box it makes.
    static void Prepare(QInputDialog &box);
    // Shows the box modally; the name on OK, nothing on Cancel. A name NameProblem refuses is
    // said in a message, and the box comes back with it.
    static std::optional<QString> Ask(QWidget *parent, const QStringList &taken);
    // Why a name cannot be a new hotel's; empty when it can: a blank name, one of the taken
    // names (case and surrounding spaces aside), or characters a saved name cannot hold
    // ("😀 cannot be saved in a hotel name").
    static QString NameProblem(const QString &name, const QStringList &taken = {});
};
