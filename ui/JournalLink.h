#pragma once

#include "model/JournalBook.h"

class QWidget;
class TD_Data;
class TMainWindowLayout;

// The journals of the hotels opened in this session. The open hotel's
// journal listens to the hourly rules and shows in the left panel and, while
// it is open, in the journal window.
class TJournalLink
{
public:
    TJournalLink(QWidget &window, TD_Data &data, TMainWindowLayout &layout);

    // Starts listening for the hotel just loaded; its journal of this session goes on.
    void Open(int hotelId);
    // The hotel was closed: nothing listens, the panel and the window hide.
    void Close();
    // The whole journal in its window; nothing while no hotel is open.
    void ShowWindow();

    TJournalBook &Journals() { return journals_; }

private:
    QWidget &window_;
    TD_Data &data_;
    TMainWindowLayout &layout_;
    TJournalBook journals_;
};
