#include "ui/SaveFailureDialog.h"

#include "model/TD_Data.h"

#include <QMessageBox>
#include <QPushButton>

QString TSaveFailureDialog::Text(const std::vector<TTableFileError> &errors)
{
    QString text = "The game was not saved.\n";
    for (const TTableFileError &error : errors)
        text += "\n" + QString::fromStdString(error.FileName) + ":\n" +
                QString::fromStdString(error.Message);
    return text;
}

bool TSaveFailureDialog::AskRetry(QWidget *parent, const std::vector<TTableFileError> &errors)
{
    QMessageBox box(QMessageBox::Critical, "Not saved", Text(errors), QMessageBox::NoButton,
                    parent);
    QPushButton *retry = box.addButton("Retry", QMessageBox::AcceptRole);
    box.addButton("Quit without saving", QMessageBox::DestructiveRole);
    box.setDefaultButton(retry);
    box.exec();
    return box.clickedButton() == retry;
}
