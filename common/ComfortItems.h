#pragma once

#include <string>
#include <string_view>

// A floor's four comfort items (1 lift, 2 ventilation, 3 refrigerator, 4 TV
// cable) as the floor record stores them: STUFF holds one character per item
// ('1' installed), STUF_WEAR two digits per item for the days it has left.
// A short or empty text reads as if padded with '0'; every character the
// value does not change is written back as it was read.
class TComfortItems
{
public:
    static constexpr int Count = 4;
    static constexpr int MaxDaysLeft = 99;

    TComfortItems() : TComfortItems({}, {}) {}
    TComfortItems(std::string_view stuff, std::string_view wear)
        : stuff_(Padded(stuff, Count)), wear_(Padded(wear, 2 * Count))
    {
    }

    // item is 1..Count throughout.
    bool Installed(int item) const { return stuff_[Index(item)] == '1'; }
    // The item's character as a number, a non-digit 0: the drawing shows an
    // item wherever it is above 0, as it always has.
    int StoredDigit(int item) const { return Digit(stuff_[Index(item)]); }
    int InstalledCount() const
    {
        int count = 0;
        for (int item = 1; item <= Count; ++item)
            count += Installed(item) ? 1 : 0;
        return count;
    }
    // A character that is no digit counts as 0.
    int DaysLeft(int item) const
    {
        const std::size_t at = 2 * Index(item);
        return Digit(wear_[at]) * 10 + Digit(wear_[at + 1]);
    }

    // days is 0..MaxDaysLeft.
    void SetDaysLeft(int item, int days)
    {
        const std::size_t at = 2 * Index(item);
        wear_[at] = static_cast<char>('0' + days / 10);
        wear_[at + 1] = static_cast<char>('0' + days % 10);
    }
    void Install(int item, int days)
    {
        stuff_[Index(item)] = '1';
        SetDaysLeft(item, days);
    }
    void Remove(int item)
    {
        stuff_[Index(item)] = '0';
        SetDaysLeft(item, 0);
    }

    const std::string &StuffText() const { return stuff_; }
    const std::string &WearText() const { return wear_; }

private:
    static std::size_t Index(int item) { return static_cast<std::size_t>(item - 1); }
    static int Digit(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }
    static std::string Padded(std::string_view text, std::size_t length)
    {
        std::string padded(text);
        if (padded.size() < length)
            padded.append(length - padded.size(), '0');
        return padded;
    }

    std::string stuff_;
    std::string wear_;
};
