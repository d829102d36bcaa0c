#pragma once

#include <QString>

// How the numbers of the hotel's rules read in the texts that explain them
// (the help, the tooltips, the journal), so that each text is formatted from
// the rule's own constant.
namespace RuleText {

// An hour of the clock: 8 reads "08:00".
QString Hour(int hour);
// 1st, 2nd, 3rd, 4th, ... 11th, 12th, 13th, ... 21st.
QString Ordinal(int n);
// "every 3rd hour".
QString EveryHour(int period);
// A count in words, "zero" to "twenty"; larger ones in digits.
QString NumberWord(int n);

} // namespace RuleText
