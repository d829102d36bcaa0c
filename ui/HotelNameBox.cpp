#include "ui/HotelNameBox.h"

#include "model/TableSchemas.h"

#include <QInputDialog>
#include <QLineEdit>

void THotelNameBox::Prepare(QInputDialog &box)
{
    box.setWindowTitle("New hotel");
    box.setLabelText("Enter name");
    box.setInputMode(QInputDialog::TextInput);
    box.setTextValue(QString());
    if (auto *field = box.findChild<QLineEdit *>())
        field->setMaxLength(kHotelNameSize);
}

std::optional<QString> THotelNameBox::Ask(QWidget *parent)
{
    QInputDialog box(parent);
    Prepare(box);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}
