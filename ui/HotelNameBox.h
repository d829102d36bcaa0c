#pragma once

#include <QString>
#include <optional>

class QInputDialog;
class QWidget;

// The "New hotel" box: the prompt "Enter name", one field that starts empty
// and takes no more characters than a hotel's name holds (rather than cutting
// a longer name when it is stored), OK and Cancel.
class THotelNameBox
{
public:
    // Sets up the box; tests look at the box it makes.
    static void Prepare(QInputDialog &box);
    // Shows the box modally; the name on OK, nothing on Cancel.
    static std::optional<QString> Ask(QWidget *parent);
};
