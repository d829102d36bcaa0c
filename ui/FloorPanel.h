#pragma once

#include <QStackedWidget>
#include <QWidget>
#include <array>
#include <functional>

class TGlyphCheckBox;
class TOvalButton;
class TPaintBox;
class TRockerSwitch;
class TShadowLabel;
class TvekMemTable;

// The floor panel below the scene (Panel3, without the room page): the
// current floor's levels, the four info buttons with their leader line, and
// the station and comfort pages of ntStations.
class TFloorPanel
{
public:
    // One station page: cleaning (1), police (2) or fire (3).
    struct Station
    {
        TShadowLabel *price;
        TRockerSwitch *stationSwitch;
        QWidget *workersPanel;
        TShadowLabel *workers;
        TOvalButton *plus;
        TOvalButton *minus;
    };

    // Lays the blocks out on panel3; the right-aligned ones go into its layout
    // after a stretch, the room page last (roomPage may be null).
    TFloorPanel(QWidget *panel3, QWidget *roomPage);

    // Caption the decimal value, coloured by level: 76 and above clLime, 51 to
    // 75 clYellow, 26 to 50 clRed, 25 and below clMaroon.
    static void ShowLevel(int value, TShadowLabel *label);
    // Rewrites the floor block, the stations and the comfort boxes from the
    // current record of tCurrFloor. The comfort boxes' click handler is
    // detached while their marks are set, so the refresh buys nothing.
    void dsFloorDataChange(TvekMemTable *tCurrFloor);
    // Shows no floor: no figures, and no control that looks as if it could
    // buy something (switches off and locked, boxes empty and locked, the
    // workers' buttons taking no clicks). The next refresh brings them back.
    void Clear();
    // Whether the "+" and "-" buttons of station page index (0..2) take clicks.
    bool WorkersEnabled(int index) const;
    void SetWorkersEnabled(int index, bool enabled);
    // Shows the station page of the info button (its Tag) and draws the line.
    void btInfo1Click(QObject *sender);

    TShadowLabel *edFloor;
    TShadowLabel *edDirty;
    TShadowLabel *edPolice;
    TShadowLabel *edFire;
    TShadowLabel *edComfort;
    std::array<TOvalButton *, 4> btInfo{};
    TPaintBox *PaintBox1;
    QStackedWidget *ntStations;
    std::array<Station, 3> stations{};
    std::array<TGlyphCheckBox *, 4> btStuff{};
    std::array<TShadowLabel *, 4> edFeaturePrice{};
    // Attached to the comfort boxes except during a refresh.
    std::function<void(QObject *)> StuffClick;

private:
    // Sets the comfort boxes' marks with their click handler detached, so
    // that setting a mark buys nothing; each box takes clicks as enabled says.
    void SetStuffMarks(const std::array<bool, 4> &checked, const std::array<bool, 4> &enabled);
};
