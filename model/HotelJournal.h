#pragma once

#include "model/HotelEvents.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

// One morning's report: what happened since the previous morning's income,
// closed by this morning's income at 08:00.
struct TJournalDay
{
    int Day = 0; // whole days since 1899-12-30, the morning of the report
    int Income = 0;
    int Money = 0; // after the income
    int OccupiedRooms = 0;
    std::vector<std::string> Lines;
};

// The journal of one hotel: listens to the hourly rules, gathers a day's
// events and turns them into a compact report each morning when the income
// comes in. Lines are UTF-8 and name floors as the player counts them
// (storey 0 is "Floor 1").
class THotelJournal : public THotelEvents
{
public:
    // Catalog names by catalog ID: room types 1..5, comfort items 21..24.
    using TNames = std::map<int, std::string>;

    void SetNames(TNames names) { names_ = std::move(names); }
    // Every report of the session, oldest first.
    const std::vector<TJournalDay> &Days() const { return days_; }
    // What happened since the last report, in the report's form (no income line).
    std::vector<std::string> PendingLines() const;
    // Called after each event and each report; may be empty.
    std::function<void()> OnChange;

    void HourBegan(int day, int hour) override;
    void ConstructionFinished(int roomId, int storey, int type) override;
    void WagePaid(int storey, int station, int workers, int wage) override;
    void WageUnpaid(int storey, int station, int workers, int wage, int money) override;
    void RoomBroken(int roomId, int storey, int type) override;
    void GuestArrived(int roomId, int storey, int type) override;
    void GuestLeft(int roomId, int storey, int type, const TFloorLevels &levels) override;
    void StuffWornOut(int storey, int item) override;
    void IncomeCollected(int income, int money, int occupiedRooms) override;

    // "clean 18 < 20, comfort 45 < 50": the levels below what keeps a guest.
    static std::string LevelsBelowStay(const TFloorLevels &levels);

private:
    // A floor and an hour: how events of one kind are grouped into one line.
    using TWhere = std::pair<int, int>;
    struct TUnpaid
    {
        int Times = 0;
        int Wage = 0;
        int Money = 0;
    };
    struct TLeaving
    {
        int Rooms = 0;
        TFloorLevels Levels;
    };

    std::vector<std::string> EventLines() const;
    std::string RoomName(int type) const;
    std::string ItemName(int item) const;
    void Changed() const;

    TNames names_;
    std::vector<TJournalDay> days_;
    int day_ = 0;
    int hour_ = 0;
    // The events since the last report.
    int paid_[3] = {0, 0, 0};
    std::map<std::pair<int, int>, TUnpaid> unpaid_; // (storey, station)
    std::map<TWhere, int> arrived_;
    std::map<TWhere, TLeaving> left_;
    std::map<TWhere, std::vector<int>> broken_;    // room types
    std::map<TWhere, std::vector<int>> wornOut_;   // items
    std::vector<std::pair<TWhere, int>> finished_; // room types, in order
};
