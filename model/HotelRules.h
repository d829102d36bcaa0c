#pragma once

#include "model/GuestThresholds.h"

// Every number the hotel's rules use, named once. The hourly rules, the
// purchases and the texts that explain them (the help, the tooltips, the
// journal) all read these, so that changing one changes the rule and every
// text about it.
namespace HotelRules {

// ---- A new hotel ----
inline constexpr int StartMoney = 50000;
inline constexpr int StartHour = 10;

// ---- The day's schedule (hours of the 24-hour clock) ----
inline constexpr int HoursPerDay = 24;
// The morning income of occupied rooms.
inline constexpr int IncomeHour = 8;
// Guests come to free rooms and leave occupied ones.
inline constexpr int GuestHour = 10;
// Each installed comfort item loses a day of its life.
inline constexpr int ItemWearHour = 15;
// Each occupied room loses a day of its life.
inline constexpr int RoomWearHour = 22;
// Construction advances one building hour in each hour from the first to the
// last working hour, both included.
inline constexpr int FirstWorkingHour = 9;
inline constexpr int LastWorkingHour = 18;

// ---- The levels ----
inline constexpr int LevelMin = 0;
inline constexpr int LevelMax = 100;
// Each level is updated in the hours divisible by its period: the guests of
// a floor lower it by their load, and each paid worker of its station raises
// it by the level's gain.
inline constexpr int CleanPeriod = 3;
inline constexpr int PolicePeriod = 4;
inline constexpr int FirePeriod = 5;
inline constexpr int CleanGainPerWorker = 4;
inline constexpr int PoliceGainPerWorker = 2;
inline constexpr int FireGainPerWorker = 2;
// Police and fire drop by a random amount below the floor's load; a draw
// above this is drawn once more.
inline constexpr int RandomDropRedrawAbove = 10;
// The overall (comfort) level is the mean of the clean, police and fire
// levels and of the items' share, each installed item adding this much.
inline constexpr int ComfortPerItem = 25;
inline constexpr int ComfortParts = 4;

// ---- The limits ----
inline constexpr int MaxStoreys = 10; // storeys 0 .. MaxStoreys - 1
inline constexpr int CellsPerFloor = 10;
inline constexpr int MaxWorkers = 5;
inline constexpr int ItemsPerFloor = 4;
// A comfort item's life counter has two digits.
inline constexpr int MaxItemLife = 99;

// ---- The fade-in of a room under construction (its ALPHA) ----
inline constexpr int AlphaAtStart = 55;
inline constexpr int AlphaFinished = 255;
// The share of the building done moves ALPHA over this span above AlphaAtStart.
inline constexpr int AlphaBuildSpan = 120;

// The guests' thresholds, beside the other numbers.
using GuestThresholds::GuestComfort;
using GuestThresholds::GuestLevel;

} // namespace HotelRules
