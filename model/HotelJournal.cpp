#include "model/HotelJournal.h"

#include "model/GuestThresholds.h"

#include <cstdio>

namespace {

const char *const kStationWords[] = {"cleaning", "police", "fire"};

std::string FloorName(int storey)
{
    return "Floor " + std::to_string(storey + 1);
}

std::string At(int hour)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d:00", hour);
    return text;
}

std::string Rooms(int count)
{
    return std::to_string(count) + (count == 1 ? " room" : " rooms");
}

std::string Joined(const std::vector<std::string> &parts)
{
    std::string text;
    for (const std::string &part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

} // namespace

std::string THotelJournal::LevelsBelowStay(const TFloorLevels &levels)
{
    using namespace GuestThresholds;
    std::vector<std::string> parts;
    auto below = [&](const char *word, int value, int threshold) {
        if (value < threshold)
            parts.push_back(std::string(word) + " " + std::to_string(value) + " < " +
                            std::to_string(threshold));
    };
    below("clean", levels.Dirty, GuestLevel);
    below("police", levels.Policy, GuestLevel);
    below("fire", levels.Fire, GuestLevel);
    below("comfort", levels.Comfort, GuestComfort);
    return Joined(parts);
}

std::string THotelJournal::RoomName(int type) const
{
    const auto found = names_.find(type);
    return found != names_.end() ? found->second : "room type " + std::to_string(type);
}

std::string THotelJournal::ItemName(int item) const
{
    const auto found = names_.find(20 + item);
    return found != names_.end() ? found->second : "comfort item " + std::to_string(item);
}

void THotelJournal::Changed() const
{
    if (OnChange)
        OnChange();
}

void THotelJournal::HourBegan(int day, int hour)
{
    day_ = day;
    hour_ = hour;
}

void THotelJournal::ConstructionFinished(int, int storey, int type)
{
    finished_.push_back({{storey, hour_}, type});
    Changed();
}

void THotelJournal::WagePaid(int, int station, int, int wage)
{
    if (station >= 1 && station <= 3)
        paid_[station - 1] += wage;
    Changed();
}

void THotelJournal::WageUnpaid(int storey, int station, int, int wage, int money)
{
    TUnpaid &unpaid = unpaid_[{storey, station}];
    ++unpaid.Times;
    unpaid.Wage = wage;
    unpaid.Money = money;
    Changed();
}

void THotelJournal::RoomBroken(int, int storey, int type)
{
    broken_[{storey, hour_}].push_back(type);
    Changed();
}

void THotelJournal::GuestArrived(int, int storey, int)
{
    ++arrived_[{storey, hour_}];
    Changed();
}

void THotelJournal::GuestLeft(int, int storey, int, const TFloorLevels &levels)
{
    TLeaving &leaving = left_[{storey, hour_}];
    ++leaving.Rooms;
    leaving.Levels = levels; // one floor at one hour: the same levels for every room
    Changed();
}

void THotelJournal::StuffWornOut(int storey, int item)
{
    wornOut_[{storey, hour_}].push_back(item);
    Changed();
}

std::vector<std::string> THotelJournal::EventLines() const
{
    std::vector<std::string> lines;
    std::vector<std::string> wages;
    for (int k = 0; k < 3; ++k)
        if (paid_[k] > 0)
            wages.push_back(std::string(kStationWords[k]) + " " + std::to_string(paid_[k]));
    if (!wages.empty())
        lines.push_back("Wages paid: " + Joined(wages));
    for (const auto &[where, unpaid] : unpaid_) {
        const char *station =
            where.second >= 1 && where.second <= 3 ? kStationWords[where.second - 1] : "station";
        lines.push_back(
            FloorName(where.first) + ": " + station + " unpaid " +
            (unpaid.Times == 1 ? std::string("once") : std::to_string(unpaid.Times) + " times") +
            ", wage " + std::to_string(unpaid.Wage) + " \u2265 money " +
            std::to_string(unpaid.Money));
    }
    // Guests by floor: arrivals and departures of one floor side by side.
    std::map<int, std::vector<std::string>> guests;
    for (const auto &[where, rooms] : arrived_)
        guests[where.first].push_back(FloorName(where.first) + ": " + Rooms(rooms) + " filled at " +
                                      At(where.second));
    for (const auto &[where, leaving] : left_) {
        std::string line =
            FloorName(where.first) + ": " + Rooms(leaving.Rooms) + " left at " + At(where.second);
        const std::string reason = LevelsBelowStay(leaving.Levels);
        if (!reason.empty())
            line += ", " + reason;
        guests[where.first].push_back(line);
    }
    for (const auto &[storey, floorLines] : guests)
        lines.insert(lines.end(), floorLines.begin(), floorLines.end());
    for (const auto &[where, types] : broken_) {
        std::vector<std::string> rooms;
        for (int type : types)
            rooms.push_back(RoomName(type));
        lines.push_back(FloorName(where.first) + ": " + Joined(rooms) + " broke at " +
                        At(where.second));
    }
    for (const auto &[where, items] : wornOut_) {
        std::vector<std::string> names;
        for (int item : items)
            names.push_back(ItemName(item));
        lines.push_back(FloorName(where.first) + ": " + Joined(names) + " wore out at " +
                        At(where.second));
    }
    for (const auto &[where, type] : finished_)
        lines.push_back(FloorName(where.first) + ": " + RoomName(type) + " finished at " +
                        At(where.second));
    return lines;
}

std::vector<std::string> THotelJournal::PendingLines() const
{
    return EventLines();
}

void THotelJournal::IncomeCollected(int income, int money, int occupiedRooms)
{
    TJournalDay report;
    report.Day = day_;
    report.Income = income;
    report.Money = money;
    report.OccupiedRooms = occupiedRooms;
    report.Lines.push_back("Income " + std::to_string(income) + ", money " + std::to_string(money) +
                           ", " + Rooms(occupiedRooms) + " occupied");
    const std::vector<std::string> events = EventLines();
    report.Lines.insert(report.Lines.end(), events.begin(), events.end());
    days_.push_back(std::move(report));
    for (int &wage : paid_)
        wage = 0;
    unpaid_.clear();
    arrived_.clear();
    left_.clear();
    broken_.clear();
    wornOut_.clear();
    finished_.clear();
    Changed();
}
