#include "WindowDriver.h"

#include "ui/FloorPanel.h"
#include "ui/FrameTimer.h"
#include "ui/HelpWindow.h"
#include "ui/HotelListModel.h"
#include "ui/JournalLink.h"
#include "ui/JournalPanel.h"
#include "ui/JournalWindow.h"
#include "ui/MainWindowLayout.h"
#include "ui/SceneView.h"
#include "ui/TF_Main.h"
#include "ui/widgets/GlyphCheckBox.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/RockerSwitch.h"
#include "ui/widgets/ShadowLabel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QTableView>
#include <stdexcept>

namespace {

const char *const kStationSwitches[] = {"btDirtyStation", "btPoliceStation", "btFireStation"};
const char *const kHireButtons[] = {"btBayStuff", "OvalButton3", "OvalButton5"};
const char *const kDismissButtons[] = {"btSellWorkers", "OvalButton4", "OvalButton6"};

const char *ByStation(const char *const (&names)[3], int station)
{
    if (station < 1 || station > 3)
        throw std::out_of_range("There is no station " + std::to_string(station) + ".");
    return names[station - 1];
}

QByteArray Numbered(const char *prefix, int number)
{
    return QByteArray(prefix) + QByteArray::number(number);
}

} // namespace

TWindowDriver::TWindowDriver(TF_Main &window) : window_(window) {}

QWidget &TWindowDriver::Widget() const
{
    return window_;
}

QObject *TWindowDriver::Find(const char *name) const
{
    return Widget().findChild<QObject *>(QString::fromLatin1(name));
}

// ---- What the window asks and tells ----

void TWindowDriver::OnError(std::function<void(const QString &)> show)
{
    window_.guard_.ShowError = std::move(show);
}

void TWindowDriver::AnswerHotelName(std::optional<QString> name)
{
    window_.AskHotelName = [name] { return name; };
}

void TWindowDriver::AnswerQuestions(
    std::function<bool(const QString &question, const QString &action)> answer)
{
    window_.AskConfirmation = std::move(answer);
}

void TWindowDriver::OnHotelClosed(std::function<void()> closed)
{
    window_.OnHotelClosed = std::move(closed);
}

void TWindowDriver::Run(const std::function<void()> &handler)
{
    window_.guard_.Run(handler);
}

// ---- The hotel list ----

void TWindowDriver::Load()
{
    Run([&] { window_.BitBtn1Click(Control<TOvalButton>("OvalButton1")); });
}

void TWindowDriver::New()
{
    Run([&] { window_.BitBtn2Click(Control<TOvalButton>("OvalButton2")); });
}

void TWindowDriver::Delete()
{
    Run([&] { window_.BitBtn3Click(Control<TOvalButton>("OvalButton8")); });
}

void TWindowDriver::Restore()
{
    Run([&] { window_.btRestoreClick(Control<TOvalButton>("btRestore")); });
}

void TWindowDriver::AnswerBackup(
    std::function<std::optional<std::string>(const std::vector<TBackupSummary> &)> answer)
{
    window_.AskBackup = std::move(answer);
}

void TWindowDriver::MainMenu()
{
    Run([&] { window_.OvalButton9Click(Control<TOvalButton>("OvalButton9")); });
}

void TWindowDriver::SelectListRow(int row)
{
    Control<QTableView>("DataGrid1")->selectRow(row);
}

THotelListModel &TWindowDriver::HotelList()
{
    return *window_.layout_->HotelList;
}

// ---- Building ----

void TWindowDriver::BuyFloor()
{
    Run([&] { window_.btFloorClick(Control<TOvalButton>("btFloor")); });
}

void TWindowDriver::ChooseTool(int type)
{
    TOvalButton *tool = ToolButton(type);
    Run([&] { window_.OvalButton1Click(tool); });
    tool->SetDown(true);
}

void TWindowDriver::SelectBuildTool(int tool)
{
    Run([&] { window_.SelectBuildTool(tool); });
}

void TWindowDriver::ClickScene(Qt::MouseButton button, int x, int y,
                               Qt::KeyboardModifiers modifiers)
{
    Run([&] { window_.SceneViewMouseUp(button, modifiers, x, y); });
}

void TWindowDriver::MoveOverScene(int x, int y)
{
    Run([&] { window_.SceneViewMouseMove(Qt::NoModifier, x, y); });
}

int TWindowDriver::BuildTool() const
{
    return window_.BuildTool();
}

TOvalButton *TWindowDriver::ToolButton(int type) const
{
    return Control<TOvalButton>(Numbered("btBld", type).constData());
}

// ---- The floor and room panels ----

void TWindowDriver::BuyStation(int station)
{
    Run([&] { window_.btDirtyStationClick(StationSwitch(station)); });
}

void TWindowDriver::HireWorker(int station)
{
    Run([&] { window_.btBayStuffClick(HireButton(station)); });
}

void TWindowDriver::DismissWorker(int station)
{
    Run([&] { window_.btSellWorkersClick(DismissButton(station)); });
}

void TWindowDriver::BuyItem(int item)
{
    Run([&] { window_.btStuff01Click(ItemBox(item)); });
}

void TWindowDriver::ClickInfo(int button)
{
    TOvalButton *info = Control<TOvalButton>(Numbered("btInfo", button).constData());
    info->OnClick(info);
}

void TWindowDriver::Demolish()
{
    Run([&] { window_.OvalButton7Click(Control<TOvalButton>("OvalButton7")); });
}

void TWindowDriver::Rebuild()
{
    Run([&] { window_.btRebuildClick(Control<TOvalButton>("btRebuild")); });
}

TRockerSwitch *TWindowDriver::StationSwitch(int station) const
{
    return Control<TRockerSwitch>(ByStation(kStationSwitches, station));
}

TOvalButton *TWindowDriver::HireButton(int station) const
{
    return Control<TOvalButton>(ByStation(kHireButtons, station));
}

TOvalButton *TWindowDriver::DismissButton(int station) const
{
    return Control<TOvalButton>(ByStation(kDismissButtons, station));
}

TGlyphCheckBox *TWindowDriver::ItemBox(int item) const
{
    return Control<TGlyphCheckBox>(Numbered("btStuff0", item).constData());
}

bool TWindowDriver::WorkersEnabled(int station) const
{
    return window_.layout_->FloorPanel->WorkersEnabled(station - 1);
}

// ---- Keys ----

void TWindowDriver::PressKey(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget *target = Control<QWidget>("btFloor");
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
}

// ---- What the player sees ----

QString TWindowDriver::LabelText(const char *name) const
{
    const auto *label = Control<TShadowLabel>(name);
    return label ? label->Caption() : QString("<no %1>").arg(name);
}

int TWindowDriver::Page(const char *notebook) const
{
    return Control<QStackedWidget>(notebook)->currentIndex();
}

void TWindowDriver::ShowPage(const char *notebook, int page)
{
    Control<QStackedWidget>(notebook)->setCurrentIndex(page);
}

// ---- Scene and frames ----

void TWindowDriver::Frame(int lag)
{
    window_.FrameTimerTimer(lag);
}

TSceneCallbacks &TWindowDriver::HourlyRules()
{
    return window_;
}

THotelScene &TWindowDriver::Scene()
{
    return window_.scene_;
}

TArena *TWindowDriver::Arena() const
{
    return window_.Arena();
}

TSceneView &TWindowDriver::SceneView() const
{
    return *window_.layout_->SceneView;
}

TFrameTimer &TWindowDriver::FrameTimer() const
{
    return *window_.frameTimer_;
}

// ---- Journal and help ----

TJournalPanel &TWindowDriver::JournalPanel() const
{
    return *window_.layout_->JournalPanel;
}

TJournalWindow &TWindowDriver::JournalWindow() const
{
    return *window_.layout_->JournalWindow;
}

THelpWindow &TWindowDriver::HelpWindow() const
{
    return *window_.layout_->HelpWindow;
}

TJournalBook &TWindowDriver::Journals()
{
    return window_.journal_->Journals();
}
