#pragma once

#include <QWidget>

class TOvalButton;
class TShadowLabel;
class TvekMemTable;

// The hotel information block at the top of the left panel, with the "Main
// menu" button below it; shown on both screens.
class THotelInfoPanel
{
public:
    explicit THotelInfoPanel(QWidget *panel1);

    // Rewrites name, date, time and money from the current record of tHotel.
    void dsHotelDataChange(TvekMemTable &tHotel);
    // The clock's pace while a hotel is open: the speed beside the time and a
    // steady "Paused"; neither shows on the hotel list.
    void ShowPace(bool playing, bool paused, int hoursPerSecond);

    TShadowLabel *edHotelName;
    TShadowLabel *edCurrentDate;
    TShadowLabel *edCurrentTime;
    TShadowLabel *edHotelMoney;
    TShadowLabel *edClockSpeed;
    TShadowLabel *edPaused;
    TOvalButton *OvalButton9; // Main menu
};
