#pragma once

#include <memory>

class QScrollArea;
class QStackedWidget;
class QWidget;
class TBuildingTools;
class TD_Data;
class TDataSource;
class TEventGuard;
class TFloorPanel;
class THelpWindow;
class THotelInfoPanel;
class THotelListModel;
class TJournalPanel;
class TJournalWindow;
class TListPage;
class TRoomPanel;
class TSceneView;
class TTooltips;

// The controls of the main window, built and laid out on it: the grey left
// panel with the hotel information, the journal and the building tools; the
// notebook ntMain with the play screen (the scene above the floor panel) and
// the hotel list; the journal and help windows; and the explanations on the
// controls. It builds and owns the controls and binds no handler: the window
// wires them.
class TMainWindowLayout
{
public:
    TMainWindowLayout(QWidget &window, TD_Data &data, TDataSource &dsHotel,
                      const TEventGuard &guard);
    ~TMainWindowLayout();

    QWidget *Panel1;
    QStackedWidget *ntMain;
    QScrollArea *ScrollBox1;
    TSceneView *SceneView;
    QWidget *Panel3;
    THotelListModel *HotelList;
    std::unique_ptr<TListPage> ListPage;
    std::unique_ptr<THotelInfoPanel> HotelInfo;
    std::unique_ptr<TBuildingTools> Tools;
    std::unique_ptr<TFloorPanel> FloorPanel;
    std::unique_ptr<TRoomPanel> RoomPanel;
    TJournalPanel *JournalPanel;   // the latest report, in the left panel
    TJournalWindow *JournalWindow; // J: the whole journal and its chart
    THelpWindow *HelpWindow;       // F1: how to play
    std::unique_ptr<TTooltips> Tips;

private:
    void BuildLeftPanel(QWidget &window);
    void BuildPlayScreen(TD_Data &data);
};
