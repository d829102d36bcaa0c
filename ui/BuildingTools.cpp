#include "ui/BuildingTools.h"

#include "ui/Controls.h"
#include "ui/PaintBox.h"
#include "ui/widgets/GameFont.h"
#include "ui/widgets/SystemColors.h"

using Controls::TextStyle;
using TA = TShadowLabel::TAlignment;

TBuildingTools::TBuildingTools(QWidget *parent)
{
    ntBuilding = Controls::Notebook(parent, 2);
    ntBuilding->setObjectName("ntBuilding");
    ntBuilding->setFixedSize(185, 281);
    QWidget *page = ntBuilding->widget(1);

    auto *heading = Controls::Label(page, {0, 0, 185, 25}, "Building tools", TextStyle::Heading);
    heading->SetLayout(TShadowLabel::TTextLayout::tlCenter);

    btFloor =
        Controls::Button(page, {5, 32, 100, 25}, "Floor", QColor(0, 128, 255), 11, true, clYellow);
    btFloor->setObjectName("btFloor");
    edFloorPrice = Controls::Label(page, {104, 33, 81, 18}, "-", TextStyle::Heading, TA::taCenter);
    edFloorPrice->setObjectName("edFloorPrice");

    const char *captions[] = {"Room 1", "Room 2", "Room 3", "Lux 1", "Lux 2"};
    for (int i = 0; i < 5; ++i) {
        TOvalButton *tool = Controls::Button(page, {5, 88 + 24 * i, 100, 25}, captions[i],
                                             QColor(128, 128, 255), 11, true, clYellow);
        tool->setObjectName(QStringLiteral("btBld%1").arg(i + 1));
        tool->SetTag(i + 1);
        tool->SetGroupIndex(1);
        btBld[i] = tool;
    }

    PaintBox2 = new TPaintBox(page);
    PaintBox2->setObjectName("PaintBox2");
    PaintBox2->setGeometry(104, 25, 81, 183);

    QWidget *panel4 = Controls::Panel(page, clGray);
    panel4->setGeometry(0, 208, 185, 23);
    auto *priceHeading = Controls::Label(panel4, {0, 0, 104, 23}, "Building price",
                                         TextStyle::Heading, TA::taRightJustify);
    priceHeading->SetLayout(TShadowLabel::TTextLayout::tlCenter);
    edBuilPrice = Controls::Label(panel4, {104, 0, 81, 23}, "0", TextStyle::Heading, TA::taCenter);
    edBuilPrice->setObjectName("edBuilPrice");

    PaintBox3 = new TPaintBox(page);
    PaintBox3->setObjectName("PaintBox3");
    PaintBox3->setGeometry(0, 231, 185, 50);
}

TOvalButton *TBuildingTools::ToolButton(int type) const
{
    return ntBuilding->findChild<TOvalButton *>(QStringLiteral("btBld%1").arg(type));
}
