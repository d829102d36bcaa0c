#include "ui/TF_Main.h"

#include "common/HotelCodes.h"
#include "model/TD_Data.h"
#include "scene/Arena.h"
#include "scene/FloorSprite.h"
#include "scene/MickySprite.h"
#include "scene/RoomSprite.h"
#include "store/MemTable.h"
#include "ui/BuildingTools.h"
#include "ui/ConfirmBox.h"
#include "ui/Controls.h"
#include "ui/DisplaySettings.h"
#include "ui/FloorPanel.h"
#include "ui/FrameTimer.h"
#include "ui/GamePace.h"
#include "ui/HelpWindow.h"
#include "ui/HotelInfoPanel.h"
#include "ui/HotelListModel.h"
#include "ui/HotelNameBox.h"
#include "ui/JournalPanel.h"
#include "ui/JournalWindow.h"
#include "ui/KeyCommands.h"
#include "ui/ListPage.h"
#include "ui/PaintBox.h"
#include "ui/RoomPanel.h"
#include "ui/SceneView.h"
#include "ui/TableText.h"
#include "ui/Tooltips.h"
#include "ui/TtamselVersion.h"
#include "ui/widgets/ColorScheme.h"
#include "ui/widgets/GameArt.h"
#include "ui/widgets/GameFont.h"
#include "ui/widgets/GlyphCheckBox.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/RockerSwitch.h"
#include "ui/widgets/ShadowLabel.h"
#include "ui/widgets/SystemColors.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <stdexcept>

TF_Main::TF_Main(TD_Data &data, QWidget *parent)
    : QWidget(parent), FrameTimer(new TFrameTimer(this)), tamselVersion1(new TtamselVersion(this)),
      Guard(this), Keys(new TKeyCommands(this, Guard)),
      Pace(std::make_unique<TGamePace>([&data]() -> TGameTimer & { return data.gmTimer(); })),
      data_(data)
{
    BuildWindow();
    BindKeys();
    if (TDisplaySettings::HighContrast())
        TColorScheme::SetHighContrast(this, true);
    AskHotelName = [this] { return THotelNameBox::Ask(this); };
    AskConfirmation = [this](const QString &question, const QString &action) {
        return TConfirmBox::Ask(this, question, action);
    };
    FormCreate();
    data_.SetSceneCallbacks(this);
}

TF_Main::~TF_Main()
{
    data_.SetSceneCallbacks(nullptr);
    data_.SetHotelEvents(nullptr);
    // The drawing surface goes first; that stops the frames.
    SceneView->Finalize();
    dsHotel.SetDataSet(nullptr);
    dsFloor.SetDataSet(nullptr);
    dsRooms.SetDataSet(nullptr);
    dsCurrFloor.SetDataSet(nullptr);
    dsCurrRoom.SetDataSet(nullptr);
}

std::function<void(QObject *)> TF_Main::Handler(void (TF_Main::*method)(QObject *))
{
    return [this, method](QObject *sender) { Guard.Run([&] { (this->*method)(sender); }); };
}

void TF_Main::BuildWindow()
{
    setWindowTitle("TAMSEL HOTEL");
    setFont(GameFont(11));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, clBtnFace);
    palette.setColor(QPalette::WindowText, clWindowText);
    setPalette(palette);
    setAutoFillBackground(true);
    resize(979, 679);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    Panel1 = Controls::Panel(this, clGray);
    Panel1->setObjectName("Panel1");
    Panel1->setFixedWidth(185);
    Panel1->installEventFilter(this);
    row->addWidget(Panel1);
    HotelInfo = std::make_unique<THotelInfoPanel>(Panel1);
    HotelInfo->OvalButton9->OnClick = Handler(&TF_Main::OvalButton9Click);
    Pace->OnChange = [this] {
        HotelInfo->ShowPace(Pace->Playing(), Pace->Paused(), Pace->HoursPerSecond());
    };
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
    JournalWindow = new TJournalWindow(this);
    HelpWindow = new THelpWindow(this);
    // F1 works in every window of the game, so it is an application shortcut
    // rather than one of the main window's keys (BindKeys).
    auto *helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    helpKey->setContext(Qt::ApplicationShortcut);
    connect(helpKey, &QShortcut::activated, this, [this] { Guard.Run([&] { ShowHelpWindow(); }); });
    Tools->btFloor->OnClick = Handler(&TF_Main::btFloorClick);
    for (TOvalButton *tool : Tools->btBld)
        tool->OnClick = Handler(&TF_Main::OvalButton1Click);
    Tools->PaintBox2->OnPaint = [this](TPaintBox &, QPainter &p) { PaintBox2Paint(p); };
    Tools->PaintBox3->OnPaint = [this](TPaintBox &, QPainter &p) { PaintBox3Paint(p); };

    ntMain = Controls::Notebook(this, 2);
    ntMain->setObjectName("ntMain");
    row->addWidget(ntMain, 1);
    for (int i = 0; i < 2; ++i) {
        QWidget *page = ntMain->widget(i);
        QPalette pagePalette = page->palette();
        pagePalette.setColor(QPalette::Window, clGray);
        page->setPalette(pagePalette);
        page->setAutoFillBackground(true);
    }

    // Play screen: the scene above the 142-pixel floor panel.
    auto *play = new QVBoxLayout(ntMain->widget(0));
    play->setContentsMargins(0, 0, 0, 0);
    play->setSpacing(0);
    ScrollBox1 = new QScrollArea(ntMain->widget(0));
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
    Panel3 = Controls::Panel(ntMain->widget(0), clGray);
    Panel3->setObjectName("Panel3");
    Panel3->setFixedHeight(142);
    Panel3->setFont(GameFont(11));
    QPalette white = Panel3->palette();
    white.setColor(QPalette::WindowText, clWhite);
    Panel3->setPalette(white);
    play->addWidget(Panel3);

    RoomPanel = std::make_unique<TRoomPanel>(Panel3, data_);
    RoomPanel->OvalButton7->OnClick = Handler(&TF_Main::OvalButton7Click);
    FloorPanel = std::make_unique<TFloorPanel>(Panel3, RoomPanel->ntRoom);
    for (auto &station : FloorPanel->stations) {
        station.stationSwitch->OnClick = Handler(&TF_Main::btDirtyStationClick);
        station.plus->OnClick = Handler(&TF_Main::btBayStuffClick);
        station.minus->OnClick = Handler(&TF_Main::btSellWorkersClick);
    }
    FloorPanel->StuffClick = Handler(&TF_Main::btStuff01Click);
    Tips = std::make_unique<TTooltips>(*Tools, *FloorPanel, *RoomPanel);
    for (TOvalButton *info : FloorPanel->btInfo) {
        auto click = info->OnClick;
        info->OnClick = [this, click](QObject *sender) { Guard.Run([&] { click(sender); }); };
    }

    // Hotel list.
    HotelList = new THotelListModel(dsHotel, this);
    ListPage = std::make_unique<TListPage>(ntMain->widget(1), *HotelList, data_.tHotel, Guard);
    ListPage->OvalButton1->OnClick = Handler(&TF_Main::BitBtn1Click);
    ListPage->OvalButton2->OnClick = Handler(&TF_Main::BitBtn2Click);
    ListPage->OvalButton8->OnClick = Handler(&TF_Main::BitBtn3Click);

    // Frame loop.
    SceneView->SurfaceMade.push_back([this](TDrawSurface &surface) { Scene.Attach(surface); });
    SceneView->SurfaceLost.push_back([this] { Scene.Detach(); });
    SceneView->OnInitialize = [this] { Guard.Run([&] { SceneViewInitialize(); }); };
    SceneView->OnFinalize = [this] { Guard.Run([&] { SceneViewFinalize(); }); };
    SceneView->OnMouseUp = [this](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
        Guard.Run([&] { SceneViewMouseUp(b, s, x, y); });
    };
    SceneView->OnMouseMove = [this](Qt::KeyboardModifiers s, int x, int y) {
        Guard.Run([&] { SceneViewMouseMove(s, x, y); });
    };
    FrameTimer->OnTimer = [this](int lag) { Guard.Run([&] { FrameTimerTimer(lag); }); };
    FrameTimer->PresentedFrames = [this] { return SceneView->PresentedFrames(); };
    // No frames for a scene that is not on the screen (minimised, hidden, the list page shown).
    FrameTimer->SetViewShown(SceneView->Shown());
    connect(SceneView, &TSceneView::ShownChanged, FrameTimer, &TFrameTimer::SetViewShown);
}

void TF_Main::FormCreate()
{
    auto guarded = [this](auto handler) {
        return [this, handler](TDataSource &, TField *) { Guard.Run(handler); };
    };
    dsHotel.OnDataChange = guarded([this] {
        HotelInfo->dsHotelDataChange(data_.tHotel);
        ListPage->dsHotelDataChange();
    });
    dsFloor.OnDataChange = guarded([this] {
        FloorPanel->dsFloorDataChange(&data_.tCurrFloor);
        Tips->ApplyFloor(data_.tCurrFloor);
    });
    dsCurrFloor.OnDataChange = dsFloor.OnDataChange;
    dsCurrRoom.OnDataChange = guarded([this] { RoomPanel->dsCurrRoomDataChange(); });
    dsHotel.SetDataSet(&data_.tHotel);
    dsFloor.SetDataSet(&data_.tFloor);
    dsRooms.SetDataSet(&data_.tRooms);
    dsCurrFloor.SetDataSet(&data_.tCurrFloor);
    dsCurrRoom.SetDataSet(&data_.tCurrRoom);
    ntMain->setCurrentIndex(1);
    Tools->ntBuilding->setCurrentIndex(0);
    BuildTool = 0;
}

void TF_Main::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    if (const QScreen *screen =
            this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    // Where no paint comes (a hidden or offscreen window), the surface is made anyway.
    QTimer::singleShot(100, this, [this] { FinishStart(); });
}

bool TF_Main::eventFilter(QObject *watched, QEvent *event)
{
    // The drawing surface and the icon are made right after the window's first
    // paint (the left panel is always painted), so that the window shows up
    // before the pictures are prepared.
    if (watched == Panel1 && event->type() == QEvent::Paint && !surfaceRequested_) {
        surfaceRequested_ = true;
        QTimer::singleShot(0, this, [this] { FinishStart(); });
    }
    return QWidget::eventFilter(watched, event);
}

void TF_Main::FinishStart()
{
    SceneView->Initialize();
    // The icon serves every window of the program, the boxes too.
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(WindowIcon());
}

TArena &TF_Main::SceneArena()
{
    // A command that comes before the first paint makes the surface itself.
    if (!Arena)
        SceneView->Initialize();
    if (!Arena)
        throw std::runtime_error("The scene is not ready");
    return *Arena;
}

// ---------------------------------------------------------------------------
// The hotel list and the passage to the play screen and back

void TF_Main::BitBtn1Click(QObject *)
{
    TvekMemTable &hotel = data_.tHotel;
    if (!hotel.Active() || hotel.IsEmpty())
        return;
    const int hotelId = hotel.FieldNamed("HOTEL_ID").AsInteger();
    SceneArena(); // the scene must be ready before the model opens the hotel
    data_.SelectHotel(hotelId);
    // The panels show a floor and a room only once the hotel has them; until
    // then they must not keep the figures of the hotel played before.
    if (data_.tFloor.IsEmpty()) {
        FloorPanel->Clear();
        RoomPanel->Clear();
    }
    // A tool left chosen in the previous game is released with its button.
    if (BuildTool > 0)
        SelectBuildTool(-1);
    BuildTool = -1;
    AddFloorSprites();
    AddRoomSprites();
    ntMain->setCurrentIndex(0);
    FloorPanel->ntStations->setCurrentIndex(0);
    RoomPanel->ntRoom->setCurrentIndex(0);
    Tools->ntBuilding->setCurrentIndex(1);
    HotelInfo->OvalButton9->show();
    auto price = [this](int id) { return QString::number(data_.CatalogPrice(id)); };
    Tools->edFloorPrice->SetCaption(price(CatalogRow::Floor));
    for (int k = 0; k < CatalogRow::StationCount; ++k)
        FloorPanel->stations[static_cast<std::size_t>(k)].price->SetCaption(
            price(CatalogRow::Station(k + 1)));
    for (int k = 0; k < CatalogRow::ItemCount; ++k)
        FloorPanel->edFeaturePrice[static_cast<std::size_t>(k)]->SetCaption(
            price(CatalogRow::Item(k + 1)));
    OpenJournal(hotelId);
    data_.StartClock();
    Pace->ClockStarted();
}

void TF_Main::BitBtn2Click(QObject *)
{
    const std::optional<QString> name = AskHotelName();
    if (name)
        data_.NewHotel(ToTableText(*name));
}

void TF_Main::BitBtn3Click(QObject *)
{
    TvekMemTable &hotel = data_.tHotel;
    if (!hotel.Active() || hotel.IsEmpty())
        return;
    const QString name = FromTableText(hotel.FieldNamed("NAME").AsString());
    if (AskConfirmation(
            QStringLiteral("Delete hotel \"%1\"? Its floors and rooms are removed.").arg(name),
            QStringLiteral("Delete")))
        data_.DeleteHotel();
}

void TF_Main::OvalButton9Click(QObject *)
{
    if (Arena)
        Arena->KillAll();
    HotelInfo->OvalButton9->hide();
    Tools->ntBuilding->setCurrentIndex(0);
    ntMain->setCurrentIndex(1);
    CloseJournal();
    data_.CloseHotel();
    Pace->ClockStopped();
    if (OnHotelClosed)
        OnHotelClosed();
}

void TF_Main::AddFloorSprite()
{
    TvekMemTable &floor = data_.tFloor;
    SceneArena().AddFloor(
        floor.FieldNamed("ID").AsInteger(), floor.FieldNamed("FLOOR_ID").AsInteger(),
        floor.FieldNamed("DIRTY_STATION").AsInteger(),
        floor.FieldNamed("POLICY_STATION").AsInteger(),
        floor.FieldNamed("FIRE_STATION").AsInteger(), floor.FieldNamed("STUFF").AsString());
}

void TF_Main::AddRoomSprite()
{
    TvekMemTable &room = data_.tRoom;
    SceneArena().AddRoom(
        room.FieldNamed("ID").AsInteger(), room.FieldNamed("TYPE").AsInteger(),
        room.FieldNamed("FLOOR_ID").AsInteger(), room.FieldNamed("POSIT").AsInteger(),
        room.FieldNamed("STATUS").AsInteger(), room.FieldNamed("ALPHA").AsInteger());
}

namespace {

// The STATUS of a room with a guest.
const int kOccupied = 1;

// Walks every record with the notices held back, so the panels refresh once.
template <class F> void ForEachRecord(TvekMemTable &table, F perRecord)
{
    table.SuspendNotifications();
    try {
        table.First();
        while (!table.AtEnd()) {
            perRecord();
            table.Next();
        }
        table.First();
    } catch (...) {
        table.ResumeNotifications();
        throw;
    }
    table.ResumeNotifications();
}

} // namespace

void TF_Main::AddFloorSprites()
{
    ForEachRecord(data_.tFloor, [this] { AddFloorSprite(); });
}

void TF_Main::AddRoomSprites()
{
    ForEachRecord(data_.tRoom, [this] { AddRoomSprite(); });
}

// ---------------------------------------------------------------------------
// Frame loop

void TF_Main::SceneViewInitialize()
{
    VersionText = tamselVersion1->Info().FileVersion;
    ListPage->edBuildVersion->SetCaption(BuildCaption(VersionText));
    // The scene set the arena's base line from the surface, which has the control's size.
    Arena = &Scene.Arena;
    FrameTimer->SetEnabled(true);
}

void TF_Main::SceneViewFinalize()
{
    FrameTimer->SetEnabled(false);
}

void TF_Main::FrameTimerTimer(int LagCount)
{
    if (!SceneView->Ready())
        return;
    // A picture equal to the one on screen is neither drawn nor presented again.
    if (Scene.FrameIfChanged(LagCount))
        SceneView->Present();
}

// ---------------------------------------------------------------------------
// Player commands

void TF_Main::SelectBuildTool(int tool)
{
    if (BuildTool > 0 && tool == -1) {
        if (TOvalButton *button = Tools->ToolButton(BuildTool)) {
            button->SetAllowAllUp(true);
            button->SetDown(false);
            button->SetAllowAllUp(false);
        }
    }
    if (tool < 0) {
        Tools->edBuilPrice->SetCaption("0");
        SceneView->unsetCursor();
        Tools->PaintBox2->Tag = 0;
    } else {
        Tools->edBuilPrice->SetCaption(QString::number(data_.CatalogPrice(tool)));
        SceneView->setCursor(MultiDragCursor());
    }
    BuildTool = tool;
    Tools->PaintBox2->update();
    Tools->PaintBox3->update();
}

void TF_Main::OvalButton1Click(QObject *Sender)
{
    auto *tool = static_cast<TOvalButton *>(Sender);
    Tools->PaintBox2->Tag = tool->y() + tool->height() / 2;
    SelectBuildTool(tool->Tag());
}

void TF_Main::PaintBox2Paint(QPainter &painter)
{
    const TPaintBox &box = *Tools->PaintBox2;
    if (box.Tag != 0)
        box.DrawLeader(painter, box.Tag - box.y(), box.height());
}

void TF_Main::PaintBox3Paint(QPainter &painter)
{
    if (BuildTool <= 0 || BuildTool > PictureList.Items.Count())
        return;
    const TPictureItem &item = PictureList.Items.Item(BuildTool - 1);
    const int patternWidth = item.GetPatternWidth();
    const QImage picture = item.Picture.copy(0, 0, patternWidth, item.Picture.height());
    painter.drawImage(Tools->PaintBox3->width() - patternWidth, 0, picture);
}

void TF_Main::btFloorClick(QObject *)
{
    data_.BuildFloor();
    AddFloorSprite();
}

void TF_Main::SceneViewMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers, int X, int Y)
{
    const int cell = (X - SceneArena().LeftMargin()) / TArena::CellWidth; // truncates toward zero
    TSprite *sprite = HotelEngine.SpriteAt(X, Y);
    if (auto *floor = dynamic_cast<TFloorSprite *>(sprite)) {
        data_.SelectFloor(floor->Floor);
        if (Button == Qt::LeftButton && BuildTool > 0) {
            data_.BuildRoom(BuildTool, cell);
            AddRoomSprite();
            SelectBuildTool(-1);
            RoomPanel->ntRoom->setCurrentIndex(1);
        } else {
            RoomPanel->ntRoom->setCurrentIndex(0);
        }
    } else if (auto *room = dynamic_cast<TRoomSprite *>(sprite)) {
        const int roomId = room->ID;
        data_.SelectFloor(room->Floor);
        data_.SelectRoom(roomId);
        RoomPanel->ntRoom->setCurrentIndex(1);
    } else if (auto *micky = dynamic_cast<TMickySprite *>(sprite)) {
        const int roomId = micky->RoomID;
        data_.SelectFloor(micky->Floor);
        data_.SelectRoom(roomId);
        RoomPanel->ntRoom->setCurrentIndex(1);
    }
    if (Button == Qt::RightButton && BuildTool > 0)
        SelectBuildTool(-1);
}

void TF_Main::SceneViewMouseMove(Qt::KeyboardModifiers, int X, int Y)
{
    if (BuildTool == -1)
        return;
    if (dynamic_cast<TFloorSprite *>(HotelEngine.SpriteAt(X, Y)))
        SceneView->setCursor(MultiDragCursor());
    else
        SceneView->unsetCursor();
}

void TF_Main::btDirtyStationClick(QObject *Sender)
{
    const int station = static_cast<TRockerSwitch *>(Sender)->Tag();
    FloorPurchase([&] { data_.BuildStation(station); });
    if (TFloorSprite *floor = SceneArena().FindFloor(data_.FloorID))
        floor->SetStation(station, 0);
}

void TF_Main::btBayStuffClick(QObject *Sender)
{
    FloorPurchase([&] { data_.ChangeWorkers(static_cast<TOvalButton *>(Sender)->Tag(), +1); });
}

void TF_Main::btSellWorkersClick(QObject *Sender)
{
    FloorPurchase([&] { data_.ChangeWorkers(static_cast<TOvalButton *>(Sender)->Tag(), -1); });
}

void TF_Main::btStuff01Click(QObject *Sender)
{
    const int item = static_cast<TGlyphCheckBox *>(Sender)->Tag();
    FloorPurchase([&] { data_.BuyStuff(item); });
    if (TFloorSprite *floor = SceneArena().FindFloor(data_.FloorID))
        floor->SetFeature(item, 1);
}

void TF_Main::FloorPurchase(const std::function<void()> &purchase)
{
    try {
        purchase();
    } catch (...) {
        FloorPanel->dsFloorDataChange(&data_.tCurrFloor);
        throw;
    }
}

void TF_Main::OvalButton7Click(QObject *)
{
    // A room with a guest is not pulled down without a question.
    TvekMemTable &room = data_.tCurrRoom;
    if (room.Active() && !room.IsEmpty() && room.FieldNamed("STATUS").AsInteger() == kOccupied) {
        const QString name = FromTableText(data_.CatalogName(room.FieldNamed("TYPE").AsInteger()));
        if (!AskConfirmation(
                QStringLiteral("Demolish room \"%1\"? Its guest leaves and nothing is refunded.")
                    .arg(name),
                QStringLiteral("Demolish")))
            return;
    }
    RoomPanel->ntRoom->setCurrentIndex(0);
    SceneArena().KillByID(data_.RoomID);
    data_.DemolishRoom();
}

// ---------------------------------------------------------------------------
// Keys

void TF_Main::BindKeys()
{
    Keys->Bind({Qt::Key_Space, Qt::Key_P}, [this] { PauseKeyPress(); });
    Keys->Bind({Qt::Key_1}, [this] { SpeedKeyPress(TGamePace::kHoursPerSecond[0]); });
    Keys->Bind({Qt::Key_2}, [this] { SpeedKeyPress(TGamePace::kHoursPerSecond[1]); });
    Keys->Bind({Qt::Key_3}, [this] { SpeedKeyPress(TGamePace::kHoursPerSecond[2]); });
    Keys->Bind({Qt::Key_Escape}, [this] { EscapeKeyPress(); });
    Keys->Bind({Qt::Key_J}, [this] { ShowJournalWindow(); });
    Keys->Bind({Qt::Key_H}, [this] { HighContrastKeyPress(); });
}

void TF_Main::PauseKeyPress()
{
    Pace->TogglePause();
}

void TF_Main::SpeedKeyPress(int hoursPerSecond)
{
    if (Pace->Playing())
        Pace->SetHoursPerSecond(hoursPerSecond);
}

void TF_Main::EscapeKeyPress()
{
    if (BuildTool > 0)
        SelectBuildTool(-1);
}

void TF_Main::HighContrastKeyPress()
{
    const bool on = !TColorScheme::HighContrast(this);
    TColorScheme::SetHighContrast(this, on);
    TDisplaySettings::SetHighContrast(on);
}

// ---------------------------------------------------------------------------
// View operations of the hourly rules

void TF_Main::SetRoomAlpha(int roomId, int alpha)
{
    if (Arena)
        Arena->SetAlphaByID(roomId, alpha);
}

void TF_Main::SetRoomStatus(int roomId, int status)
{
    if (Arena)
        Arena->SetStatusByID(roomId, status);
}

void TF_Main::RemoveFloorStuff(int floorId, int item)
{
    if (Arena)
        Arena->RemoveFloorStuff(floorId, item);
}

// ---------------------------------------------------------------------------
// Journal and help

void TF_Main::OpenJournal(int hotelId)
{
    Tips->ApplyCatalog(data_.tRooms);
    THotelJournal::TNames names;
    for (const auto &[id, row] : Tips->Catalog())
        names[id] = row.Name.toStdString();
    THotelJournal &journal = Journals.Journal(hotelId);
    journal.SetNames(std::move(names));
    // The journal's news only redraws text; it never stops the clock or asks anything.
    journal.OnChange = [this] {
        JournalPanel->Refresh();
        if (JournalWindow->isVisible())
            JournalWindow->Refresh();
    };
    data_.SetHotelEvents(&journal);
    JournalPanel->SetJournal(&journal);
    JournalPanel->show();
    JournalWindow->SetJournal(&journal, HotelInfo->edHotelName->Caption());
}

void TF_Main::CloseJournal()
{
    data_.SetHotelEvents(nullptr);
    JournalPanel->SetJournal(nullptr);
    JournalPanel->hide();
    JournalWindow->SetJournal(nullptr, QString());
    JournalWindow->hide();
}

void TF_Main::ShowJournalWindow()
{
    if (!JournalPanel->isVisibleTo(this))
        return;
    JournalWindow->Refresh();
    JournalWindow->show();
    JournalWindow->raise();
}

void TF_Main::ShowHelpWindow()
{
    HelpWindow->show();
    HelpWindow->raise();
}
