#pragma once

#include "model/HotelJournal.h"

#include <map>
#include <memory>

// The journals of the hotels opened in this session, by HOTEL_ID. They live in
// memory only: a journal starts empty the first time its hotel is opened and is
// kept when the player goes back to the list and opens it again.
class TJournalBook
{
public:
    // The journal of the hotel, made empty on first use; stays at its address.
    THotelJournal &Journal(int hotelId);
    // The journal of the hotel if it has one, else null.
    THotelJournal *Find(int hotelId) const;

private:
    std::map<int, std::unique_ptr<THotelJournal>> journals_;
};
