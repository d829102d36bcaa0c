#include "model/JournalBook.h"

THotelJournal &TJournalBook::Journal(int hotelId)
{
    std::unique_ptr<THotelJournal> &journal = journals_[hotelId];
    if (!journal)
        journal = std::make_unique<THotelJournal>();
    return *journal;
}

THotelJournal *TJournalBook::Find(int hotelId) const
{
    const auto found = journals_.find(hotelId);
    return found != journals_.end() ? found->second.get() : nullptr;
}
