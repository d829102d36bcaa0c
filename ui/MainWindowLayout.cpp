#include "ui/MainWindowLayout.h"

#include "model/TD_Data.h"
#include "ui/BuildingTools.h"
#include "ui/Controls.h"
#include "ui/FloorPanel.h"
#include "ui/HelpWindow.h"
#include "ui/HotelInfoPanel.h"
#include "ui/HotelListModel.h"
#include "ui/JournalPanel.h"
#include "ui/JournalWindow.h"
#include "ui/ListPage.h"
#include "ui/RoomPanel.h"
#include "ui/SceneView.h"
#include "ui/Tooltips.h"
#include "ui/widgets/GameFont.h"
#include "ui/widgets/SystemColors.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

TMainWindowLayout::TMainWindowLayout(QWidget &window, TD_Data &data, TDataSource &dsHotel,
                                     const TEventGuard &guard)
{
    window.setWindowTitle("TAMSEL HOTEL");
    window.setFont(GameFont(11));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, clBtnFace);
    palette.setColor(QPalette::WindowText, clWindowText);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.resize(979, 679);

    auto *row = new QHBoxLayout(&window);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    BuildLeftPanel(window);
    row->addWidget(Panel1);

    ntMain = Controls::Notebook(&window, 2);
    ntMain->setObjectName("ntMain");
    row->addWidget(ntMain, 1);
    for (int i = 0; i < 2; ++i) {
        QWidget *page = ntMain->widget(i);
        QPalette pagePalette = page->palette();
        pagePalette.setColor(QPalette::Window, clGray);
        page->setPalette(pagePalette);
        page->setAutoFillBackground(true);
    }
    BuildPlayScreen(data);

    HotelList = new THotelListModel(dsHotel, &window);
    ListPage = std::make_unique<TListPage>(ntMain->widget(1), *HotelList, data.tHotel, guard);
}

TMainWindowLayout::~TMainWindowLayout() = default;

void TMainWindowLayout::BuildLeftPanel(QWidget &window)
{
    Panel1 = Controls::Panel(&window, clGray);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedWidth(185);
    HotelInfo = std::make_unique<THotelInfoPanel>(Panel1);
    Tools = std::make_unique<TBuildingTools>(Panel1);
    auto *leftColumn = new QVBoxLayout(Panel1);
    leftColumn->setContentsMargins(0, 0, 0, 0);
    // The journal fills the room between "Main menu" and the building tools.
    const int journalTop = 222;
    JournalPanel = new TJournalPanel(Panel1);
    JournalPanel->hide();
    leftColumn->addSpacing(journalTop);
    leftColumn->addWidget(JournalPanel, 1);
    leftColumn->addStretch(0); // holds the tools at the bottom while the journal is hidden
    leftColumn->addWidget(Tools->ntBuilding);
    JournalWindow = new TJournalWindow(&window);
    HelpWindow = new THelpWindow(&window);
}

void TMainWindowLayout::BuildPlayScreen(TD_Data &data)
{
    // The scene above the 142-pixel floor panel.
    QWidget *page = ntMain->widget(0);
    auto *play = new QVBoxLayout(page);
    play->setContentsMargins(0, 0, 0, 0);
    play->setSpacing(0);
    ScrollBox1 = new QScrollArea(page);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette black = ScrollBox1->palette();
    black.setColor(QPalette::Window, clBlack);
    ScrollBox1->setPalette(black);
    ScrollBox1->setAutoFillBackground(true);
    SceneView = new TSceneView;
    SceneView->setObjectName("SceneView");
    ScrollBox1->setWidget(SceneView);
    ScrollBox1->viewport()->setPalette(black);
    ScrollBox1->viewport()->setAutoFillBackground(true);
    play->addWidget(ScrollBox1, 1);
    Panel3 = Controls::Panel(page, clGray);
    Panel3->setObjectName("Panel3");
    Panel3->setFixedHeight(142);
    Panel3->setFont(GameFont(11));
    QPalette white = Panel3->palette();
    white.setColor(QPalette::WindowText, clWhite);
    Panel3->setPalette(white);
    play->addWidget(Panel3);

    RoomPanel = std::make_unique<TRoomPanel>(Panel3, data);
    FloorPanel = std::make_unique<TFloorPanel>(Panel3, RoomPanel->ntRoom);
    Tips = std::make_unique<TTooltips>(*Tools, *FloorPanel, *RoomPanel);
}
