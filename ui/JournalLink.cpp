#include "ui/JournalLink.h"

#include "model/TD_Data.h"
#include "ui/HotelInfoPanel.h"
#include "ui/JournalPanel.h"
#include "ui/JournalWindow.h"
#include "ui/MainWindowLayout.h"
#include "ui/Tooltips.h"
#include "ui/widgets/ShadowLabel.h"

TJournalLink::TJournalLink(QWidget &window, TD_Data &data, TMainWindowLayout &layout)
    : window_(window), data_(data), layout_(layout)
{
}

void TJournalLink::Open(int hotelId)
{
    layout_.Tips->ApplyCatalog(data_.tRooms);
    THotelJournal::TNames names;
    for (const auto &[id, row] : layout_.Tips->Catalog())
        names[id] = row.Name.toStdString();
    THotelJournal &journal = journals_.Journal(hotelId);
    journal.SetNames(std::move(names));
    // The journal's news only redraws text; it never stops the clock or asks anything.
    journal.OnChange = [this] {
        layout_.JournalPanel->Refresh();
        if (layout_.JournalWindow->isVisible())
            layout_.JournalWindow->Refresh();
    };
    data_.SetHotelEvents(&journal);
    layout_.JournalPanel->SetJournal(&journal);
    layout_.JournalPanel->show();
    layout_.JournalWindow->SetJournal(&journal, layout_.HotelInfo->edHotelName->Caption());
}

void TJournalLink::Close()
{
    data_.SetHotelEvents(nullptr);
    layout_.JournalPanel->SetJournal(nullptr);
    layout_.JournalPanel->hide();
    layout_.JournalWindow->SetJournal(nullptr, QString());
    layout_.JournalWindow->hide();
}

void TJournalLink::ShowWindow()
{
    if (!layout_.JournalPanel->isVisibleTo(&window_))
        return;
    layout_.JournalWindow->Refresh();
    layout_.JournalWindow->show();
    layout_.JournalWindow->raise();
}
