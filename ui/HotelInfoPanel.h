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

    TShadowLabel *edHotelName;
    TShadowLabel *edCurrentDate;
    TShadowLabel *edCurrentTime;
    TShadowLabel *edHotelMoney;
    TOvalButton *OvalButton9; // Main menu
};
