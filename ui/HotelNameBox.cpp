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

QString THotelNameBox::NameProblem(const QString &name, const QStringList &taken)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("A hotel needs a name");
    for (const QString &other : taken)
        if (other.trimmed().compare(trimmed, Qt::CaseInsensitive) == 0)
            return QStringLiteral("There is already a hotel named \"%1\"").arg(other.trimmed());
    const std::string missing = TCodePage::Unencodable(name.toStdString());
    if (missing.empty())
        return {};
    return QStringLiteral("%1 cannot be saved in a hotel name")
        .arg(QString::fromStdString(missing));
}

std::optional<QString> THotelNameBox::Ask(QWidget *parent, const QStringList &taken)
{
    QInputDialog box(parent);
    Prepare(box);
    while (box.exec() == QDialog::Accepted) {
        const QString problem = NameProblem(box.textValue(), taken);
        if (problem.isEmpty())
            return box.textValue();
        QMessageBox::warning(parent, QStringLiteral("Hotel name"), problem);
    }
    return std::nullopt;
}
