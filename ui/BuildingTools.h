#pragma once

#include <QStackedWidget>
#include <array>

class TOvalButton;
class TPaintBox;
class TShadowLabel;

// The building tools (page 1 of ntBuilding at the bottom of the left panel):
// the floor button with its price, the five room tools, the leader line from
// the chosen tool to the building price, and the picture of the chosen room.
class TBuildingTools
{
public:
    explicit TBuildingTools(QWidget *parent);

    // The tool button of a room type 1..5, found by its name "btBld<type>".
    TOvalButton *ToolButton(int type) const;

    QStackedWidget *ntBuilding;
    TOvalButton *btFloor;
    TShadowLabel *edFloorPrice;
    std::array<TOvalButton *, 5> btBld{};
    TPaintBox *PaintBox2; // leader line; Tag = y of the chosen tool's centre
    TShadowLabel *edBuilPrice;
    TPaintBox *PaintBox3; // picture of the chosen room type
};
