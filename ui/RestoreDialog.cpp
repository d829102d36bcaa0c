#include "ui/RestoreDialog.h"

#include "ui/TableText.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int FolderRole = Qt::UserRole;
constexpr int DialogWidth = 620;
constexpr int DialogHeight = 380;

QString HotelsText(const TBackupSummary &backup)
{
    if (!backup.Problem.empty())
        return QStringLiteral("Cannot be restored: %1").arg(QString::fromStdString(backup.Problem));
    if (backup.Hotels.empty())
        return QStringLiteral("No hotels");
    QStringList hotels;
    for (const TBackupSummary::THotel &hotel : backup.Hotels) {
        QString text = QStringLiteral("%1: %2").arg(FromTableText(hotel.Name),
                                                    QLocale::c().toString(hotel.Money));
        if (!hotel.Date.empty())
            text += QStringLiteral(", ") + QString::fromStdString(hotel.Date);
        hotels << text;
    }
    return hotels.join(QStringLiteral("; "));
}

} // namespace

TRestoreDialog::TRestoreDialog(QWidget *parent, const std::vector<TBackupSummary> &backups)
    : QDialog(parent), backups_(backups)
{
    setWindowTitle(QStringLiteral("Restore"));
    resize(DialogWidth, DialogHeight);
    auto *layout = new QVBoxLayout(this);
    auto *explanation = new QLabel(
        backups.empty()
            ? QStringLiteral("There are no backups yet. One is kept at every save that changes "
                             "the hotels.")
            : QStringLiteral("Choose a backup to go back to. The hotels you have now are kept "
                             "in this list, so a restore can be undone."),
        this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);

    List = new QTreeWidget(this);
    List->setObjectName("RestoreList");
    List->setRootIsDecorated(false);
    List->setHeaderLabels({QStringLiteral("Saved"), QStringLiteral("Hotels")});
    List->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    List->header()->setStretchLastSection(true);
    for (const TBackupSummary &backup : backups) {
        auto *item = new QTreeWidgetItem(List);
        item->setText(0, QDateTime::fromSecsSinceEpoch(backup.Written)
                             .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        item->setText(1, HotelsText(backup));
        item->setToolTip(1, item->text(1));
        item->setData(0, FolderRole, QString::fromStdString(backup.Folder));
        if (!backup.Problem.empty())
            item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
    }
    layout->addWidget(List);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    RestoreButton = buttons->addButton(QStringLiteral("Restore"), QDialogButtonBox::AcceptRole);
    RestoreButton->setEnabled(false);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(List, &QTreeWidget::itemSelectionChanged, this, [this] { SelectionChanged(); });
    connect(List, &QTreeWidget::itemActivated, this, [this] {
        if (!ChosenFolder().empty())
            accept();
    });
}

void TRestoreDialog::SelectionChanged()
{
    RestoreButton->setEnabled(!ChosenFolder().empty());
}

std::string TRestoreDialog::ChosenFolder() const
{
    const QList<QTreeWidgetItem *> chosen = List->selectedItems();
    if (chosen.isEmpty())
        return {};
    return chosen.front()->data(0, FolderRole).toString().toStdString();
}

std::optional<std::string> TRestoreDialog::Ask(QWidget *parent,
                                               const std::vector<TBackupSummary> &backups)
{
    TRestoreDialog dialog(parent, backups);
    if (dialog.exec() != QDialog::Accepted || dialog.ChosenFolder().empty())
        return std::nullopt;
    return dialog.ChosenFolder();
}
