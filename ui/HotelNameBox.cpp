#include "ui/HotelNameBox.h"

#include "model/TableSchemas.h"
#include "store/CodePage.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

void THotelNameBox::Prepare(QInputDialog &box)
{
    box.setWindowTitle("New hotel");
    box.setLabelText("Enter name");
    box.setInputMode(QInputDialog::TextInput);
    box.setTextValue(QString());
    if (auto *field = box.findChild<QLineEdit *>())
        field->setMaxLength(kHotelNameSize);
}

QString THotelNameBox::NameProblem(const QString &name)
{
    const std::string missing = TCodePage::Unencodable(name.toStdString());
    if (missing.empty())
        return {};
    return QStringLiteral("%1 cannot be saved in a hotel name")
        .arg(QString::fromStdString(missing));
}

std::optional<QString> THotelNameBox::Ask(QWidget *parent)
{
    QInputDialog box(parent);
    Prepare(box);
    while (box.exec() == QDialog::Accepted) {
        const QString problem = NameProblem(box.textValue());
        if (problem.isEmpty())
            return box.textValue();
        QMessageBox::warning(parent, QStringLiteral("New hotel"), problem);
    }
    return std::nullopt;
}
