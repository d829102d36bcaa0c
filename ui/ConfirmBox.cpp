#include "ui/ConfirmBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
const char *const kActionButton = "action";
} // namespace

std::unique_ptr<QMessageBox> TConfirmBox::Make(QWidget *parent, const QString &text,
                                               const QString &action)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(action);
    box->setIcon(QMessageBox::Question);
    box->setText(text);
    QPushButton *go = box->addButton(action, QMessageBox::DestructiveRole);
    go->setObjectName(kActionButton);
    QPushButton *cancel = box->addButton(QMessageBox::Cancel);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    return box;
}

bool TConfirmBox::Ask(QWidget *parent, const QString &text, const QString &action)
{
    const std::unique_ptr<QMessageBox> box = Make(parent, text, action);
    box->exec();
    return Accepted(*box);
}

bool TConfirmBox::Accepted(const QMessageBox &box)
{
    const QAbstractButton *clicked = box.clickedButton();
    return clicked && clicked->objectName() == kActionButton;
}
