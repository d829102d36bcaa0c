#pragma once

#include <QStackedWidget>

class TOvalButton;
class TShadowLabel;
class TvekMemTable;
class TD_Data;

// The room page (page 1 of ntRoom): the current room's type, status, income
// and days left, and the Demolish button.
class TRoomPanel
{
public:
    TRoomPanel(QWidget *parent, TD_Data &data);

    // Rewrites the labels from the current record of tCurrRoom.
    void dsCurrRoomDataChange();
    // Shows no room: the labels as before the first refresh.
    void Clear();

    QStackedWidget *ntRoom;
    TShadowLabel *edRoomName;
    TShadowLabel *edRoomStatus;
    TShadowLabel *edRoomIncome;
    TShadowLabel *edRoomWear;
    TOvalButton *OvalButton7; // Demolish

private:
    TD_Data &data_;
};
