#pragma once

#include <QStackedWidget>

class TOvalButton;
class TShadowLabel;
class TvekMemTable;
class TD_Data;

// The room page (page 1 of ntRoom): the current room's type, status, income
// and what is left of it (days of use, or working hours of building, each
// under its own heading), the Demolish button and, for a broken room, Rebuild.
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
    // "Days left" over the days of use, "Work hours" over the hours of building still needed.
    TShadowLabel *edRoomWearHeading;
    TOvalButton *OvalButton7; // Demolish
    // Shown only for a broken room.
    TOvalButton *btRebuild;

private:
    TD_Data &data_;
};
