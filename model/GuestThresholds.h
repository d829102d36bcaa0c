#pragma once

// The levels at which the 10:00 occupancy rule fills and empties rooms, shared
// by the rule and by those who explain it (the journal, tooltips, the help).
// A free room fills when comfort is above GuestComfort and every other level
// above GuestLevel; an occupied room empties when comfort falls below
// GuestComfort or a level below GuestLevel. Exactly at the threshold a guest
// stays but none comes.
namespace GuestThresholds {
inline constexpr int GuestLevel = 20;
inline constexpr int GuestComfort = 50;
} // namespace GuestThresholds
