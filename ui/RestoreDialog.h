#pragma once

#include "model/HotelSaves.h"

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QDialogButtonBox;
class QPushButton;
class QTreeWidget;

// The Restore window of the hotel list: the backups of the saved hotels, newest first, each
// with when it was saved and its hotels with their money and game date, for the player to
// choose one. A backup that does not load is listed with why and cannot be chosen.
class TRestoreDialog : public QDialog
{
public:
    TRestoreDialog(QWidget *parent, const std::vector<TBackupSummary> &backups);

    // The folder of the chosen backup; empty while none is chosen.
    std::string ChosenFolder() const;
    // Shows the window modally; the chosen backup's folder, or nothing when cancelled.
    static std::optional<std::string> Ask(QWidget *parent,
                                          const std::vector<TBackupSummary> &backups);

    QTreeWidget *List;
    QPushButton *RestoreButton;

private:
    void SelectionChanged();

    std::vector<TBackupSummary> backups_;
};
