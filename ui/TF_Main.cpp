#include "ui/TF_Main.h"

#include "model/TD_Data.h"
#include "model/TableFields.h"
#include "store/MemTable.h"
#include "ui/BuildingTools.h"
#include "ui/ConfirmBox.h"
#include "ui/DisplaySettings.h"
#include "ui/FloorPanel.h"
#include "ui/FrameTimer.h"
#include "ui/GamePace.h"
#include "ui/HelpWindow.h"
#include "ui/HotelInfoPanel.h"
#include "ui/HotelNameBox.h"
#include "ui/JournalLink.h"
#include "ui/KeyCommands.h"
#include "ui/ListPage.h"
#include "ui/MainWindowLayout.h"
#include "ui/PaintBox.h"
#include "ui/PlayerCommands.h"
#include "ui/RestoreDialog.h"
#include "ui/RoomPanel.h"
#include "ui/SceneSync.h"
#include "ui/SceneView.h"
#include "ui/TableText.h"
#include "ui/Tooltips.h"
#include "ui/TtamselVersion.h"
#include "ui/widgets/ColorScheme.h"
#include "ui/widgets/GameArt.h"
#include "ui/widgets/GlyphCheckBox.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/RockerSwitch.h"
#include "ui/widgets/ShadowLabel.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>

TF_Main::TF_Main(TD_Data &data, QWidget *parent)
    : QWidget(parent), data_(data), frameTimer_(new TFrameTimer(this)),
      tamselVersion1_(new TtamselVersion(this)), guard_(this),
      keys_(new TKeyCommands(this, guard_)),
      pace_(std::make_unique<TGamePace>([&data]() -> TGameTimer & { return data.gmTimer(); }))
{
    layout_ = std::make_unique<TMainWindowLayout>(*this, data_, dsHotel_, guard_);
    sync_ = std::make_unique<TSceneSync>(scene_, *layout_->SceneView, data_);
    journal_ = std::make_unique<TJournalLink>(*this, data_, *layout_);
    commands_ = std::make_unique<TPlayerCommands>(
        data_, *layout_, *sync_, scene_.Pictures, *pace_, *journal_,
        TPlayerHooks{AskHotelName, AskConfirmation, OnHotelClosed, AskBackup});
    WireControls();
    BindKeys();
    if (TDisplaySettings::HighContrast())
        TColorScheme::SetHighContrast(this, true);
    AskHotelName = [this] { return THotelNameBox::Ask(this, HotelNames()); };
    AskConfirmation = [this](const QString &question, const QString &action) {
        return TConfirmBox::Ask(this, question, action);
    };
    AskBackup = [this](const std::vector<TBackupSummary> &backups) {
        return TRestoreDialog::Ask(this, backups);
    };
    FormCreate();
    data_.SetSceneCallbacks(this);
}

TF_Main::~TF_Main()
{
    data_.SetSceneCallbacks(nullptr);
    data_.SetHotelEvents(nullptr);
    // The drawing surface goes first; that stops the frames.
    layout_->SceneView->Finalize();
    for (TDataSource *source : {&dsHotel_, &dsFloor_, &dsRooms_, &dsCurrFloor_, &dsCurrRoom_})
        source->SetDataSet(nullptr);
}

std::function<void(QObject *)> TF_Main::Handler(void (TF_Main::*method)(QObject *))
{
    return [this, method](QObject *sender) { guard_.Run([&] { (this->*method)(sender); }); };
}

void TF_Main::WireControls()
{
    TMainWindowLayout &ui = *layout_;
    ui.Panel1->installEventFilter(this);
    ui.HotelInfo->OvalButton9->OnClick = Handler(&TF_Main::OvalButton9Click);
    pace_->OnChange = [this] {
        layout_->HotelInfo->ShowPace(pace_->Playing(), pace_->Paused(), pace_->HoursPerSecond());
    };
    // F1 works in every window of the game, so it is an application shortcut
    // rather than one of the main window's keys (BindKeys).
    auto *helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    helpKey->setContext(Qt::ApplicationShortcut);
    connect(helpKey, &QShortcut::activated, this,
            [this] { guard_.Run([&] { ShowHelpWindow(); }); });

    ui.Tools->btFloor->OnClick = Handler(&TF_Main::btFloorClick);
    for (TOvalButton *tool : ui.Tools->btBld)
        tool->OnClick = Handler(&TF_Main::OvalButton1Click);
    ui.Tools->PaintBox2->OnPaint = [this](TPaintBox &, QPainter &p) { commands_->PaintLeader(p); };
    ui.Tools->PaintBox3->OnPaint = [this](TPaintBox &, QPainter &p) {
        commands_->PaintToolPicture(p);
    };

    ui.RoomPanel->OvalButton7->OnClick = Handler(&TF_Main::OvalButton7Click);
    ui.RoomPanel->btRebuild->OnClick = Handler(&TF_Main::btRebuildClick);
    for (auto &station : ui.FloorPanel->stations) {
        station.stationSwitch->OnClick = Handler(&TF_Main::btDirtyStationClick);
        station.plus->OnClick = Handler(&TF_Main::btBayStuffClick);
        station.minus->OnClick = Handler(&TF_Main::btSellWorkersClick);
    }
    ui.FloorPanel->StuffClick = Handler(&TF_Main::btStuff01Click);
    for (TOvalButton *info : ui.FloorPanel->btInfo) {
        auto click = info->OnClick;
        info->OnClick = [this, click](QObject *sender) { guard_.Run([&] { click(sender); }); };
    }

    ui.ListPage->OvalButton1->OnClick = Handler(&TF_Main::BitBtn1Click);
    ui.ListPage->OvalButton2->OnClick = Handler(&TF_Main::BitBtn2Click);
    ui.ListPage->OvalButton8->OnClick = Handler(&TF_Main::BitBtn3Click);
    ui.ListPage->btRestore->OnClick = Handler(&TF_Main::btRestoreClick);

    // Frame loop.
    TSceneView *view = ui.SceneView;
    view->SurfaceMade.push_back([this](TDrawSurface &surface) { scene_.Attach(surface); });
    view->SurfaceLost.push_back([this] { scene_.Detach(); });
    view->OnInitialize = [this] { guard_.Run([&] { SceneViewInitialize(); }); };
    view->OnFinalize = [this] { guard_.Run([&] { SceneViewFinalize(); }); };
    view->OnMouseUp = [this](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
        guard_.Run([&] { SceneViewMouseUp(b, s, x, y); });
    };
    view->OnMouseMove = [this](Qt::KeyboardModifiers s, int x, int y) {
        guard_.Run([&] { SceneViewMouseMove(s, x, y); });
    };
    frameTimer_->OnTimer = [this](int lag) { guard_.Run([&] { FrameTimerTimer(lag); }); };
    frameTimer_->PresentedFrames = [view] { return view->PresentedFrames(); };
    // No frames for a scene that is not on the screen (minimised, hidden, the list page shown).
    frameTimer_->SetViewShown(view->Shown());
    connect(view, &TSceneView::ShownChanged, frameTimer_, &TFrameTimer::SetViewShown);
}

void TF_Main::FormCreate()
{
    auto guarded = [this](auto handler) {
        return [this, handler](TDataSource &, TField *) { guard_.Run(handler); };
    };
    dsHotel_.OnDataChange = guarded([this] {
        layout_->HotelInfo->dsHotelDataChange(data_.tHotel);
        layout_->ListPage->dsHotelDataChange();
    });
    dsFloor_.OnDataChange = guarded([this] {
        layout_->FloorPanel->dsFloorDataChange(&data_.tCurrFloor);
        layout_->Tips->ApplyFloor(data_.tCurrFloor);
    });
    dsCurrFloor_.OnDataChange = dsFloor_.OnDataChange;
    dsCurrRoom_.OnDataChange = guarded([this] { layout_->RoomPanel->dsCurrRoomDataChange(); });
    dsHotel_.SetDataSet(&data_.tHotel);
    dsFloor_.SetDataSet(&data_.tFloor);
    dsRooms_.SetDataSet(&data_.tRooms);
    dsCurrFloor_.SetDataSet(&data_.tCurrFloor);
    dsCurrRoom_.SetDataSet(&data_.tCurrRoom);
    layout_->ntMain->setCurrentIndex(1);
    layout_->Tools->ntBuilding->setCurrentIndex(0);
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
    if (watched == layout_->Panel1 && event->type() == QEvent::Paint && !surfaceRequested_) {
        surfaceRequested_ = true;
        QTimer::singleShot(0, this, [this] { FinishStart(); });
    }
    return QWidget::eventFilter(watched, event);
}

void TF_Main::FinishStart()
{
    layout_->SceneView->Initialize();
    // The icon serves every window of the program, the boxes too.
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(WindowIcon());
}

int TF_Main::BuildTool() const
{
    return commands_->BuildTool();
}

TArena *TF_Main::Arena() const
{
    return sync_->Arena();
}

// ---------------------------------------------------------------------------
// The hotel list and the passage to the play screen and back

void TF_Main::BitBtn1Click(QObject *)
{
    commands_->Load();
}

void TF_Main::BitBtn2Click(QObject *)
{
    commands_->NewHotel();
}

void TF_Main::BitBtn3Click(QObject *)
{
    commands_->DeleteHotel();
}

void TF_Main::btRestoreClick(QObject *)
{
    commands_->RestoreBackup();
}

void TF_Main::OvalButton9Click(QObject *)
{
    commands_->MainMenu();
}

void TF_Main::AddFloorSprite()
{
    sync_->AddFloorSprite();
}

void TF_Main::AddRoomSprite()
{
    sync_->AddRoomSprite();
}

void TF_Main::AddFloorSprites()
{
    sync_->AddFloorSprites();
}

void TF_Main::AddRoomSprites()
{
    sync_->AddRoomSprites();
}

// ---------------------------------------------------------------------------
// Frame loop

void TF_Main::SceneViewInitialize()
{
    versionText_ = tamselVersion1_->Info().FileVersion;
    layout_->ListPage->edBuildVersion->SetCaption(BuildCaption(versionText_));
    sync_->SurfaceReady();
    frameTimer_->SetEnabled(true);
}

void TF_Main::SceneViewFinalize()
{
    frameTimer_->SetEnabled(false);
}

void TF_Main::FrameTimerTimer(int LagCount)
{
    TSceneView &view = *layout_->SceneView;
    if (!view.Ready())
        return;
    // A picture equal to the one on screen is neither drawn nor presented again.
    if (scene_.FrameIfChanged(LagCount))
        view.Present();
}

// ---------------------------------------------------------------------------
// Player commands

void TF_Main::SelectBuildTool(int tool)
{
    commands_->SelectBuildTool(tool);
}

void TF_Main::OvalButton1Click(QObject *Sender)
{
    auto *tool = static_cast<TOvalButton *>(Sender);
    commands_->ChooseTool(tool->Tag(), tool->y() + tool->height() / 2);
}

void TF_Main::btFloorClick(QObject *)
{
    commands_->BuildFloor();
}

void TF_Main::SceneViewMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    commands_->SceneMouseUp(Button, Shift, X, Y);
}

void TF_Main::SceneViewMouseMove(Qt::KeyboardModifiers, int X, int Y)
{
    commands_->SceneMouseMove(X, Y);
}

void TF_Main::btDirtyStationClick(QObject *Sender)
{
    commands_->BuildStation(static_cast<TRockerSwitch *>(Sender)->Tag());
}

void TF_Main::btBayStuffClick(QObject *Sender)
{
    commands_->ChangeWorkers(static_cast<TOvalButton *>(Sender)->Tag(), +1);
}

void TF_Main::btSellWorkersClick(QObject *Sender)
{
    commands_->ChangeWorkers(static_cast<TOvalButton *>(Sender)->Tag(), -1);
}

void TF_Main::btStuff01Click(QObject *Sender)
{
    commands_->BuyStuff(static_cast<TGlyphCheckBox *>(Sender)->Tag());
}

void TF_Main::OvalButton7Click(QObject *)
{
    commands_->Demolish();
}

void TF_Main::btRebuildClick(QObject *)
{
    commands_->Rebuild();
}

// ---------------------------------------------------------------------------
// Keys

void TF_Main::BindKeys()
{
    keys_->Bind({Qt::Key_Space, Qt::Key_P}, [this] { PauseKeyPress(); });
    keys_->Bind({Qt::Key_1}, [this] { SpeedKeyPress(TGamePace::kHoursPerSecond[0]); });
    keys_->Bind({Qt::Key_2}, [this] { SpeedKeyPress(TGamePace::kHoursPerSecond[1]); });
    keys_->Bind({Qt::Key_3}, [this] { SpeedKeyPress(TGamePace::kHoursPerSecond[2]); });
    keys_->Bind({Qt::Key_Escape}, [this] { EscapeKeyPress(); });
    keys_->Bind({Qt::Key_J}, [this] { ShowJournalWindow(); });
    keys_->Bind({Qt::Key_H}, [this] { HighContrastKeyPress(); });
    keys_->Bind({Qt::Key_R}, [this] { RebuildKeyPress(); });
}

void TF_Main::PauseKeyPress()
{
    pace_->TogglePause();
}

void TF_Main::SpeedKeyPress(int hoursPerSecond)
{
    if (pace_->Playing())
        pace_->SetHoursPerSecond(hoursPerSecond);
}

void TF_Main::EscapeKeyPress()
{
    commands_->ReleaseTool();
}

void TF_Main::ShowJournalWindow()
{
    journal_->ShowWindow();
}

void TF_Main::ShowHelpWindow()
{
    layout_->HelpWindow->show();
    layout_->HelpWindow->raise();
}

void TF_Main::HighContrastKeyPress()
{
    const bool on = !TColorScheme::HighContrast(this);
    TColorScheme::SetHighContrast(this, on);
    TDisplaySettings::SetHighContrast(on);
}

QStringList TF_Main::HotelNames() const
{
    QStringList names;
    const TvekMemTable &hotels = data_.tHotel;
    const int field = hotels.FieldNamed(HotelField::Name).Index();
    for (std::size_t record = 0; record < hotels.RawRecordCount(); ++record) {
        if (!hotels.RawRecordVisible(record))
            continue;
        const TFieldValue value = hotels.RawValue(record, field);
        if (const auto *name = std::get_if<std::string>(&value))
            names << FromTableText(*name);
    }
    return names;
}

void TF_Main::RebuildKeyPress()
{
    if (layout_->ntMain->currentIndex() == 0 && layout_->RoomPanel->btRebuild->isVisibleTo(this))
        commands_->Rebuild();
}

// ---------------------------------------------------------------------------
// View operations of the hourly rules

void TF_Main::SetRoomAlpha(int roomId, int alpha)
{
    sync_->SetRoomAlpha(roomId, alpha);
}

void TF_Main::SetRoomStatus(int roomId, int status)
{
    sync_->SetRoomStatus(roomId, status);
}

void TF_Main::RemoveFloorStuff(int floorId, int item)
{
    sync_->RemoveFloorStuff(floorId, item);
}
