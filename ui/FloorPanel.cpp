#include "ui/FloorPanel.h"

#include "common/HotelCodes.h"
#include "model/FloorRecord.h"
#include "model/HotelRules.h"
#include "store/MemTable.h"
#include "ui/Controls.h"
#include "ui/PaintBox.h"
#include "ui/widgets/GameFont.h"
#include "ui/widgets/GlyphCheckBox.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/RockerSwitch.h"
#include "ui/widgets/ShadowLabel.h"
#include "ui/widgets/SystemColors.h"

#include <QHBoxLayout>

using Controls::TextStyle;
using TA = TShadowLabel::TAlignment;

TFloorPanel::TFloorPanel(QWidget *panel3, QWidget *roomPage)
{
    Controls::Label(panel3, {8, 4, 129, 21}, "Floor information", TextStyle::Heading);
    edFloor = Controls::Label(panel3, {152, 0, 33, 25}, "1", TextStyle::Status);
    edFloor->setObjectName("edFloor");
    const char *names[] = {"Clean", "Police", "Fire"};
    for (int i = 0; i < 3; ++i)
        Controls::Label(panel3, {16, 24 + 24 * i, 57, 25}, names[i], TextStyle::Name);
    Controls::Label(panel3, {16, 104, 65, 25}, "Owerall", TextStyle::Name);
    TShadowLabel **levels[] = {&edDirty, &edPolice, &edFire, &edComfort};
    const char *levelNames[] = {"edDirty", "edPolice", "edFire", "edComfort"};
    const int levelTops[] = {24, 48, 72, 104};
    for (int i = 0; i < 4; ++i) {
        // Until the first floor shows, each level reads full.
        *levels[i] = Controls::Label(panel3, {104, levelTops[i], 57, 25},
                                     QString::number(HotelRules::LevelMax), TextStyle::Value);
        (*levels[i])->setObjectName(levelNames[i]);
        (*levels[i])->SetFontColor(clLime);
    }

    QWidget *panel5 = Controls::Panel(panel3);
    panel5->setFixedSize(102, 142);
    const char *infoCaptions[] = {"Clean", "Police", "Fire", "Comfort"};
    for (int i = 0; i < 4; ++i) {
        TOvalButton *info = Controls::Button(panel5, {5, 24 + 24 * i, 100, 25}, infoCaptions[i],
                                             clLime, 11, true, QColor(0, 64, 128));
        info->setObjectName(QStringLiteral("btInfo%1").arg(i + 1));
        info->SetTag(i + 1);
        info->SetGroupIndex(1);
        info->OnClick = [this](QObject *sender) { btInfo1Click(sender); };
        btInfo[i] = info;
    }

    PaintBox1 = new TPaintBox(panel3);
    PaintBox1->setObjectName("PaintBox1");
    PaintBox1->setFixedSize(34, 142);
    PaintBox1->OnPaint = [](TPaintBox &box, QPainter &painter) {
        // The line runs from the pressed button to the station page's heading.
        if (box.Tag != 0)
            box.DrawLeader(painter, box.Tag - box.y(), 15);
    };

    ntStations = Controls::Notebook(panel3, 5);
    ntStations->setObjectName("ntStations");
    ntStations->setFixedSize(215, 142);
    const char *headings[] = {"Cleaning control", "Police station", "Fire station"};
    const char *prefix[] = {"Dirty", "Police", "Fire"};
    const char *plusNames[] = {"btBayStuff", "OvalButton3", "OvalButton5"};
    const char *minusNames[] = {"btSellWorkers", "OvalButton4", "OvalButton6"};
    for (int i = 0; i < 3; ++i) {
        QWidget *page = ntStations->widget(i + 1);
        Station &s = stations[i];
        Controls::Label(page, {8, 8, 180, 21}, headings[i], TextStyle::Heading);
        Controls::Label(page, {18, 36, 71, 21}, "Price", TextStyle::Heading);
        s.price =
            Controls::Label(page, {18, 52, 71, 21}, "-", TextStyle::Heading, TA::taRightJustify);
        s.price->setObjectName(QStringLiteral("ed%1Price").arg(prefix[i]));
        s.stationSwitch = new TRockerSwitch(page);
        s.stationSwitch->setGeometry(104, 24, 50, 50);
        s.stationSwitch->setObjectName(QStringLiteral("bt%1Station").arg(prefix[i]));
        s.stationSwitch->SetTag(i + 1);
        s.workersPanel = Controls::Panel(page, clGray);
        s.workersPanel->setGeometry(0, 72, 215, 70);
        s.workersPanel->setObjectName(QStringLiteral("pn%1").arg(prefix[i]));
        Controls::Label(s.workersPanel, {18, 4, 71, 21}, "Workers", TextStyle::Heading);
        s.workers = Controls::Label(s.workersPanel, {112, 0, 33, 25}, "0", TextStyle::Value);
        s.workers->SetFontColor(clAqua);
        s.workers->setObjectName(QStringLiteral("ed%1Workers").arg(prefix[i]));
        s.plus =
            Controls::Button(s.workersPanel, {96, 32, 25, 25}, "+", clWhite, 24, false, clNavy);
        s.plus->setObjectName(plusNames[i]);
        s.plus->SetTag(i + 1);
        s.minus =
            Controls::Button(s.workersPanel, {136, 33, 25, 24}, "-", clWhite, 24, false, clRed);
        s.minus->setObjectName(minusNames[i]);
        s.minus->SetTag(i + 1);
        SetWorkersEnabled(i, false);
    }

    QWidget *comfort = ntStations->widget(4);
    Controls::Label(comfort, {8, 8, 180, 21}, "Comfort stuff", TextStyle::Heading);
    const char *items[] = {"Lift", "Ventilation", "Refregirator", "TV cable"};
    const int priceLeft[] = {154, 122, 114, 122};
    for (int i = 0; i < 4; ++i) {
        auto *box = new TGlyphCheckBox(comfort);
        box->setGeometry(16, 32 + 24 * i, 17, 18);
        box->setObjectName(QStringLiteral("btStuff0%1").arg(i + 1));
        box->SetTag(i + 1);
        box->SetStyle(3);
        box->OnClick = [this](QObject *sender) {
            if (StuffClick)
                StuffClick(sender);
        };
        btStuff[i] = box;
        Controls::Label(comfort, {34, 33 + 24 * i, 90, 21}, items[i], TextStyle::Heading);
        edFeaturePrice[i] =
            Controls::Label(comfort, {priceLeft[i], 33 + 24 * i, 209 - priceLeft[i], 21}, "-",
                            TextStyle::Heading, TA::taRightJustify);
        edFeaturePrice[i]->setObjectName(QStringLiteral("edFeaturePrice0%1").arg(i + 1));
    }
    ntStations->setCurrentIndex(1);

    auto *row = new QHBoxLayout(panel3);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addStretch(1);
    row->addWidget(panel5);
    row->addWidget(PaintBox1);
    row->addWidget(ntStations);
    if (roomPage)
        row->addWidget(roomPage);
}

void TFloorPanel::ShowLevel(int value, TShadowLabel *label)
{
    label->SetCaption(QString::number(value));
    if (value >= 76)
        label->SetFontColor(clLime);
    else if (value >= 51)
        label->SetFontColor(clYellow);
    else if (value >= 26)
        label->SetFontColor(clRed);
    else
        label->SetFontColor(clMaroon);
}

void TFloorPanel::btInfo1Click(QObject *sender)
{
    auto *button = static_cast<TOvalButton *>(sender);
    ntStations->setCurrentIndex(button->Tag());
    // In Panel3's coordinates: the button's centre inside Panel5, which starts at y 0.
    PaintBox1->Tag = button->parentWidget()->y() + button->y() + button->height() / 2;
    PaintBox1->update();
}

void TFloorPanel::dsFloorDataChange(TvekMemTable *tCurrFloor)
{
    // A record being appended or edited is not complete; its post refreshes again.
    if (!tCurrFloor || !tCurrFloor->Active() || tCurrFloor->IsEmpty() ||
        tCurrFloor->State() != tsBrowse)
        return;
    const TFloorRecord floor(*tCurrFloor);
    ShowLevel(floor.Level(StationKind::Clean), edDirty);
    ShowLevel(floor.Level(StationKind::Police), edPolice);
    ShowLevel(floor.Level(StationKind::Fire), edFire);
    ShowLevel(floor.Comfort(), edComfort);
    edFloor->SetCaption(QString::number(floor.Storey() + 1));

    for (int i = 0; i < 3; ++i) {
        // The pages follow the stations' numbering, cleaning first.
        const int value = floor.Station(StationKind::Clean + i);
        Station &s = stations[static_cast<std::size_t>(i)];
        // A bought station cannot be sold, so its switch stays on and locked.
        s.stationSwitch->SetStateOn(value >= 0);
        s.stationSwitch->setEnabled(value < 0);
        SetWorkersEnabled(i, value >= 0);
        s.workers->SetCaption(QString::number(value < 0 ? 0 : value));
    }

    const TComfortItems items = floor.Items();
    std::array<bool, 4> checked{}, enabled{};
    for (std::size_t k = 0; k < btStuff.size(); ++k) {
        checked[k] = items.Installed(static_cast<int>(k) + 1);
        enabled[k] = !checked[k];
    }
    SetStuffMarks(checked, enabled);
}

void TFloorPanel::SetStuffMarks(const std::array<bool, 4> &checked,
                                const std::array<bool, 4> &enabled)
{
    // Setting a mark runs the box's click handler, which would buy the item.
    for (TGlyphCheckBox *box : btStuff)
        box->OnClick = nullptr;
    for (std::size_t k = 0; k < btStuff.size(); ++k) {
        btStuff[k]->SetChecked(checked[k]);
        btStuff[k]->setEnabled(enabled[k]);
    }
    for (TGlyphCheckBox *box : btStuff)
        box->OnClick = [this](QObject *sender) {
            if (StuffClick)
                StuffClick(sender);
        };
}

void TFloorPanel::Clear()
{
    for (TShadowLabel *level : {edDirty, edPolice, edFire, edComfort}) {
        level->SetCaption("-");
        level->SetFontColor(clWhite);
    }
    edFloor->SetCaption("");
    for (int i = 0; i < 3; ++i) {
        Station &s = stations[static_cast<std::size_t>(i)];
        s.stationSwitch->SetStateOn(false);
        s.stationSwitch->setEnabled(false);
        SetWorkersEnabled(i, false);
        s.workers->SetCaption("0");
    }
    SetStuffMarks({}, {});
}

void TFloorPanel::SetWorkersEnabled(int index, bool enabled)
{
    // A disabled workers panel keeps its look; only its buttons stop taking clicks.
    Station &s = stations[static_cast<std::size_t>(index)];
    s.plus->setAttribute(Qt::WA_TransparentForMouseEvents, !enabled);
    s.minus->setAttribute(Qt::WA_TransparentForMouseEvents, !enabled);
}

bool TFloorPanel::WorkersEnabled(int index) const
{
    return !stations[static_cast<std::size_t>(index)].plus->testAttribute(
        Qt::WA_TransparentForMouseEvents);
}
