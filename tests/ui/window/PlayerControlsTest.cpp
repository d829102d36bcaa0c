// The player's hold on the game: pause and speed keys, Escape, the questions
// before Delete and Demolish, the message window's keys, the name box's
// limit, and panels that never show what the model does not hold.
#include "WindowFixture.h"
#include "store/MemTable.h"
#include "ui/ConfirmBox.h"
#include "ui/FrameTimer.h"
#include "ui/HotelNameBox.h"
#include "ui/PaintBox.h"
#include "ui/RestoreDialog.h"
#include "ui/TF_Dialog.h"
#include "ui/widgets/GlyphCheckBox.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/RockerSwitch.h"
#include "ui/widgets/ShadowLabel.h"

#include <QApplication>
#include <QDateTime>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// A key press as the window system delivers it to a control.
void PressKey(QWidget *target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
}

} // namespace

class PlayerControlsTest : public WindowTest
{
protected:
    PlayerControlsTest()
    {
        AddHotel("Keys");
        LoadWithMoney();
        BuyFloor();
    }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        // A control of the window has the focus, as when the player clicked it.
        driver->PressKey(key, modifiers);
    }
    bool ClockRuns() { return data->gmTimer().Enabled(); }
    bool PausedShows() { return driver->Control("edPaused")->isVisible(); }
    // A room of type 1 at cell 0 of the lowest floor; returns its ID.
    int BuildSingleRoom()
    {
        ChooseTool(1);
        Click(Qt::LeftButton, 45, 490);
        return data->RoomID;
    }
    void SetRoomStatus(int roomId, int status)
    {
        data->tRoom.Locate("ID", roomId);
        data->tRoom.Edit();
        data->tRoom.FieldNamed("STATUS").SetAsInteger(status);
        data->tRoom.Post();
        data->SelectRoom(roomId);
    }
    // Answers every question with answer and keeps what was asked.
    void AnswerQuestions(bool answer)
    {
        driver->AnswerQuestions([this, answer](const QString &question, const QString &action) {
            questions.push_back(question + " [" + action + "]");
            return answer;
        });
    }
    std::vector<QString> questions;
};

TEST_F(PlayerControlsTest, SpaceAndPPauseAndResumeTheClockWithASteadyPausedLabel)
{
    ASSERT_TRUE(ClockRuns());
    EXPECT_FALSE(PausedShows());
    struct Case
    {
        int key;
        bool runs;
    };
    const Case cases[] = {{Qt::Key_Space, false}, {Qt::Key_Space, true}, {Qt::Key_P, false},
                          {Qt::Key_Space, true},  {Qt::Key_P, false},    {Qt::Key_P, true}};
    for (const Case &c : cases) {
        Press(c.key);
        EXPECT_EQ(ClockRuns(), c.runs) << "after key " << c.key;
        EXPECT_EQ(PausedShows(), !c.runs) << "after key " << c.key;
        EXPECT_EQ(Caption("edPaused"), "Paused");
    }
    // Shifted or held keys are not the pause key.
    Press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(ClockRuns());
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QString(" "), true);
    QApplication::sendEvent(window.get(), &held);
    EXPECT_TRUE(ClockRuns()) << "an auto-repeated press does not toggle";
}

TEST_F(PlayerControlsTest, TheFrameLoopRunsOnWhilePaused)
{
    Press(Qt::Key_Space);
    ASSERT_FALSE(ClockRuns());
    EXPECT_TRUE(driver->FrameTimer().Enabled());
}

TEST_F(PlayerControlsTest, KeysOneTwoThreeSetOneTwoAndFourHoursPerSecond)
{
    EXPECT_EQ(data->gmTimer().Interval(), 1000) << "the game starts at one hour per second";
    EXPECT_EQ(Caption("edClockSpeed"), "x1");
    EXPECT_TRUE(driver->Control("edClockSpeed")->isVisible());
    struct Case
    {
        int key;
        int intervalMs;
        const char *shown;
    };
    const Case cases[] = {{Qt::Key_3, 250, "x4"},
                          {Qt::Key_2, 500, "x2"},
                          {Qt::Key_1, 1000, "x1"},
                          {Qt::Key_3, 250, "x4"},
                          {Qt::Key_3, 250, "x4"}};
    for (const Case &c : cases) {
        Press(c.key);
        EXPECT_EQ(data->gmTimer().Interval(), c.intervalMs) << "key " << c.key;
        EXPECT_EQ(Caption("edClockSpeed"), c.shown) << "key " << c.key;
        EXPECT_TRUE(ClockRuns()) << "a new speed keeps the clock running";
    }
    // A paused clock takes the new speed and stays paused.
    Press(Qt::Key_Space);
    Press(Qt::Key_2);
    EXPECT_FALSE(ClockRuns());
    EXPECT_EQ(data->gmTimer().Interval(), 500);
    Press(Qt::Key_Space);
    EXPECT_TRUE(ClockRuns());
    EXPECT_EQ(data->gmTimer().Interval(), 500);
}

TEST_F(PlayerControlsTest, OnTheListThePaceKeysDoNothingAndLoadStartsUnpausedAtTheChosenSpeed)
{
    Press(Qt::Key_3);
    Press(Qt::Key_Space);
    driver->MainMenu();
    EXPECT_FALSE(ClockRuns());
    EXPECT_FALSE(PausedShows()) << "no hotel, nothing paused";
    EXPECT_FALSE(driver->Control("edClockSpeed")->isVisible());
    Press(Qt::Key_Space);
    Press(Qt::Key_1);
    EXPECT_FALSE(ClockRuns()) << "Space on the list starts no clock";
    EXPECT_EQ(data->gmTimer().Interval(), 250) << "nor does 1 change the pace";

    driver->Load();
    EXPECT_TRUE(ClockRuns()) << "Load starts the clock, unpaused";
    EXPECT_FALSE(PausedShows());
    EXPECT_EQ(data->gmTimer().Interval(), 250) << "at the speed chosen before";
    EXPECT_EQ(Caption("edClockSpeed"), "x4");
}

TEST_F(PlayerControlsTest, NoPurchaseIsRefusedForBeingPausedAndARefusalKeepsThePause)
{
    Press(Qt::Key_Space);
    const int money = data->GetMoney();
    BuyFloor();
    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_EQ(data->tFloor.RawRecordCount(), 2u);
    EXPECT_LT(data->GetMoney(), money);
    EXPECT_FALSE(ClockRuns());

    data->AddMoney(-data->GetMoney());
    BuyFloor();
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_FALSE(ClockRuns()) << "a refusal must not start a paused clock";
    EXPECT_TRUE(PausedShows());
    Press(Qt::Key_Space);
    EXPECT_TRUE(ClockRuns());
    BuyFloor();
    EXPECT_EQ(messages.Messages.size(), 2u);
    EXPECT_TRUE(ClockRuns()) << "a refusal restarts a running clock";
    EXPECT_FALSE(PausedShows());
}

TEST_F(PlayerControlsTest, EscapeReleasesTheToolAsARightClickDoes)
{
    ChooseTool(3);
    ASSERT_EQ(driver->BuildTool(), 3);
    Press(Qt::Key_Escape);
    EXPECT_EQ(driver->BuildTool(), -1);
    EXPECT_FALSE(driver->ToolButton(3)->Down());
    EXPECT_EQ(Caption("edBuilPrice"), "0");
    EXPECT_EQ(driver->Control<TPaintBox>("PaintBox2")->Tag, 0);
    // Without a tool Escape changes nothing.
    Press(Qt::Key_Escape);
    EXPECT_EQ(driver->BuildTool(), -1);
    EXPECT_TRUE(errors.empty());
}

TEST_F(PlayerControlsTest, KeysMeantForAnotherWindowAreLeftToIt)
{
    QWidget other;
    other.show();
    PressKey(&other, Qt::Key_Space);
    EXPECT_TRUE(ClockRuns());
}

TEST_F(PlayerControlsTest, DeleteAsksAndCancelKeepsTheHotelItsFloorsAndRooms)
{
    BuildSingleRoom();
    driver->MainMenu();
    const auto hotels = data->tHotel.RawRecordCount();
    const auto floors = data->tFloor.RawRecordCount();
    const auto rooms = data->tRoom.RawRecordCount();
    ASSERT_EQ(floors, 1u);
    ASSERT_EQ(rooms, 1u);

    AnswerQuestions(false);
    driver->Delete();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "Delete hotel \"Keys\"? Its floors and rooms are removed. [Delete]");
    EXPECT_EQ(data->tHotel.RawRecordCount(), hotels);
    EXPECT_EQ(data->tFloor.RawRecordCount(), floors);
    EXPECT_EQ(data->tRoom.RawRecordCount(), rooms);

    AnswerQuestions(true);
    driver->Delete();
    EXPECT_EQ(data->tHotel.RawRecordCount(), hotels - 1);
    EXPECT_EQ(data->tFloor.RawRecordCount(), 0u);
    EXPECT_EQ(data->tRoom.RawRecordCount(), 0u);

    // An empty list asks nothing.
    driver->Delete();
    EXPECT_EQ(questions.size(), 2u);
}

TEST_F(PlayerControlsTest, DemolishAsksOnlyForAnOccupiedRoomAndCancelKeepsIt)
{
    AnswerQuestions(false);
    const int roomId = BuildSingleRoom();
    SetRoomStatus(roomId, 1);
    driver->ShowPage("ntRoom", 1);
    const std::size_t sprites = SpritesWithID(roomId).size();

    driver->Demolish();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0],
              "Demolish room \"Single room\"? Its guest leaves and nothing is refunded. "
              "[Demolish]");
    EXPECT_EQ(RoomCount(), 1);
    EXPECT_EQ(data->RoomID, roomId);
    EXPECT_EQ(SpritesWithID(roomId).size(), sprites);
    EXPECT_EQ(Page("ntRoom"), 1);

    AnswerQuestions(true);
    driver->Demolish();
    EXPECT_EQ(RoomCount(), 0);
    EXPECT_TRUE(SpritesWithID(roomId).empty());

    // A free and a broken room go without a question.
    const int statuses[] = {0, 2};
    for (int status : statuses) {
        const int other = BuildSingleRoom();
        SetRoomStatus(other, status);
        driver->Demolish();
        EXPECT_EQ(RoomCount(), 0) << "status " << status;
    }
    EXPECT_EQ(questions.size(), 2u);

    // A room still being built looks unfinished, not broken: it asks, and says its price is lost.
    const int unfinished = BuildSingleRoom();
    SetRoomStatus(unfinished, -3);
    AnswerQuestions(false);
    driver->Demolish();
    ASSERT_EQ(questions.size(), 3u);
    EXPECT_EQ(questions[2], "Demolish room \"Single room\" while it is being built? Its price "
                            "is not refunded. [Demolish]");
    EXPECT_EQ(RoomCount(), 1);
    AnswerQuestions(true);
    driver->Demolish();
    EXPECT_EQ(RoomCount(), 0);
}

TEST_F(PlayerControlsTest, AfterARefusalEveryFloorControlShowsTheModelAgain)
{
    // The police station is bought, with two workers.
    driver->BuyStation(2);
    driver->HireWorker(2);
    driver->HireWorker(2);
    ASSERT_EQ(Caption("edPoliceWorkers"), "2");
    data->AddMoney(-data->GetMoney());

    // Each control as the player's press leaves it, then the refused command.
    for (int station : {1, 3}) {
        TRockerSwitch *stationSwitch = driver->StationSwitch(station);
        stationSwitch->SetStateOn(true);
        driver->BuyStation(station);
        EXPECT_FALSE(stationSwitch->StateOn()) << "station " << station;
        EXPECT_TRUE(stationSwitch->isEnabled()) << "station " << station;
        EXPECT_FALSE(driver->WorkersEnabled(station));
    }
    for (int item = 1; item <= 4; ++item) {
        TGlyphCheckBox *box = driver->ItemBox(item);
        box->OnClick = nullptr;
        box->SetChecked(true);
        driver->BuyItem(item);
        EXPECT_FALSE(box->Checked()) << "item " << box->Tag();
        EXPECT_TRUE(box->isEnabled()) << "item " << box->Tag();
    }
    EXPECT_EQ(messages.Messages.size(), 6u);
    EXPECT_TRUE(driver->StationSwitch(2)->StateOn()) << "the bought station stays";
    EXPECT_FALSE(driver->StationSwitch(2)->isEnabled());
    EXPECT_EQ(Caption("edPoliceWorkers"), "2") << "the workers as they were";
    EXPECT_EQ(data->tCurrFloor.FieldNamed("STUFF").AsString(), "0000");

    // A refreshed box still buys on the next click, once there is money.
    data->AddMoney(100000);
    driver->ItemBox(1)->SetChecked(true);
    EXPECT_EQ(data->tCurrFloor.FieldNamed("STUFF").AsString(), "1000");
}

TEST_F(PlayerControlsTest, LoadingAHotelWithoutFloorsShowsNoOtherHotelsFigures)
{
    driver->BuyStation(1);
    driver->HireWorker(1);
    driver->BuyItem(3);
    BuildSingleRoom();
    driver->MainMenu();

    AddHotel("Bare");
    driver->Load();
    ASSERT_TRUE(data->tFloor.IsEmpty()) << "the open hotel has no floor";
    for (const char *level : {"edDirty", "edPolice", "edFire", "edComfort"})
        EXPECT_EQ(Caption(level), "-") << level;
    EXPECT_EQ(Caption("edFloor"), "");
    const char *workers[] = {"edDirtyWorkers", "edPoliceWorkers", "edFireWorkers"};
    for (int station = 1; station <= 3; ++station) {
        EXPECT_FALSE(driver->StationSwitch(station)->StateOn()) << "station " << station;
        EXPECT_FALSE(driver->StationSwitch(station)->isEnabled()) << "station " << station;
        EXPECT_FALSE(driver->WorkersEnabled(station));
        EXPECT_EQ(Caption(workers[station - 1]), "0");
    }
    for (int item = 1; item <= 4; ++item) {
        EXPECT_FALSE(driver->ItemBox(item)->Checked());
        EXPECT_FALSE(driver->ItemBox(item)->isEnabled());
    }
    EXPECT_EQ(Caption("edRoomName"), "-");
    EXPECT_EQ(Caption("edRoomStatus"), "");
    EXPECT_EQ(Caption("edRoomWear"), "");

    // The first floor brings the controls back.
    BuyFloor();
    EXPECT_EQ(Caption("edDirty"), "100");
    EXPECT_EQ(Caption("edFloor"), "1");
    EXPECT_TRUE(driver->StationSwitch(1)->isEnabled());
    for (int item = 1; item <= 4; ++item)
        EXPECT_TRUE(driver->ItemBox(item)->isEnabled());
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(PlayerControlsTest, AnEmptyListClearsTheHotelInformation)
{
    driver->MainMenu();
    AddHotel("Second");
    AnswerQuestions(true);
    driver->Delete();
    ASSERT_EQ(data->tHotel.RawRecordCount(), 1u);
    EXPECT_NE(Caption("edHotelMoney"), "") << "one hotel is left and shown";
    driver->Delete();
    ASSERT_EQ(data->tHotel.RawRecordCount(), 0u);
    EXPECT_EQ(Caption("edHotelName"), "Name");
    for (const char *value : {"edCurrentDate", "edCurrentTime", "edHotelMoney"})
        EXPECT_EQ(Caption(value), "") << value;
}

// ---------------------------------------------------------------------------
// The boxes

class BoxesTest : public ::testing::Test
{
};

TEST_F(BoxesTest, ReturnEnterAndEscapeCloseTheMessageAsOkDoesOtherKeysDoNot)
{
    struct Case
    {
        int key;
        bool closes;
    };
    const Case cases[] = {{Qt::Key_Return, true}, {Qt::Key_Enter, true}, {Qt::Key_Escape, true},
                          {Qt::Key_Space, false}, {Qt::Key_A, false},    {Qt::Key_Tab, false}};
    for (const Case &c : cases) {
        TF_Dialog dialog;
        dialog.show();
        ASSERT_TRUE(dialog.isVisible());
        PressKey(&dialog, c.key);
        EXPECT_EQ(!dialog.isVisible(), c.closes) << "key " << c.key;
    }
}

TEST_F(BoxesTest, TheNameBoxTakesAtMostFiftyCharacters)
{
    QInputDialog box;
    THotelNameBox::Prepare(box);
    EXPECT_EQ(box.windowTitle(), "New hotel");
    EXPECT_EQ(box.labelText(), "Enter name");
    auto *field = box.findChild<QLineEdit *>();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), "");
    const struct
    {
        int typed;
        int kept;
    } cases[] = {{0, 0}, {49, 49}, {50, 50}, {51, 50}, {80, 50}};
    for (const auto &c : cases) {
        field->clear();
        field->insert(QString(c.typed, QChar('n')));
        EXPECT_EQ(box.textValue().size(), c.kept) << c.typed << " typed";
    }
}

// Each backup shows when it was saved and its hotels; one that does not load says why and cannot
// be chosen, and Restore waits for a choice.
TEST_F(BoxesTest, TheRestoreWindowListsTheBackupsAndOffersOnlyTheSoundOnes)
{
    const std::vector<TBackupSummary> backups{
        {"/saves/backup/new/", 1'800'000'000, {{"Ritz", 12345, "12-22-2026"}, {"Inn", 0, ""}}, ""},
        {"/saves/backup/bad/", 1'700'000'000, {}, "tFloor.dht: Stream read error"},
    };
    TRestoreDialog dialog(nullptr, backups);
    ASSERT_EQ(dialog.List->topLevelItemCount(), 2);
    const QTreeWidgetItem *sound = dialog.List->topLevelItem(0);
    const QTreeWidgetItem *damaged = dialog.List->topLevelItem(1);
    EXPECT_EQ(sound->text(0),
              QDateTime::fromSecsSinceEpoch(1'800'000'000).toString("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(sound->text(1), "Ritz: 12345, 12-22-2026; Inn: 0");
    EXPECT_EQ(damaged->text(1), "Cannot be restored: tFloor.dht: Stream read error");
    EXPECT_FALSE(damaged->flags() & Qt::ItemIsSelectable);
    EXPECT_FALSE(dialog.RestoreButton->isEnabled());
    EXPECT_EQ(dialog.ChosenFolder(), "");
    dialog.List->setCurrentItem(dialog.List->topLevelItem(0));
    EXPECT_TRUE(dialog.RestoreButton->isEnabled());
    EXPECT_EQ(dialog.ChosenFolder(), "/saves/backup/new/");
}

// A name is saved in an 8-bit code page: what it cannot hold is refused by name, not turned
// into "?".
TEST_F(BoxesTest, TheNameBoxRefusesCharactersASavedNameCannotHold)
{
    EXPECT_EQ(THotelNameBox::NameProblem("H\u00f4tel \u20ac"), "");
    EXPECT_EQ(THotelNameBox::NameProblem("\U0001F600 Inn"),
              "\U0001F600 cannot be saved in a hotel name");
    EXPECT_EQ(THotelNameBox::NameProblem("\u0641\u0646 \u0641"),
              "\u0641\u0646 cannot be saved in a hotel name");
    // Blank names and names of hotels in the list, whatever their case and spaces, are refused.
    const QStringList taken{"Grand", " Seaside Inn "};
    const struct
    {
        const char *name;
        const char *problem;
    } cases[] = {
        {"", "A hotel needs a name"},
        {"   ", "A hotel needs a name"},
        {"grand", "There is already a hotel named \"Grand\""},
        {"  SEASIDE inn", "There is already a hotel named \"Seaside Inn\""},
        {"Grand Two", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(THotelNameBox::NameProblem(c.name, taken), c.problem) << c.name;
}

TEST_F(BoxesTest, TheQuestionGoesAheadOnlyOnItsActionButton)
{
    enum class Answer
    {
        Action,
        CancelButton,
        Escape,
        Return
    };
    const struct
    {
        Answer answer;
        bool accepted;
    } cases[] = {{Answer::Action, true},
                 {Answer::CancelButton, false},
                 {Answer::Escape, false},
                 {Answer::Return, false}};
    for (const auto &c : cases) {
        auto box = TConfirmBox::Make(nullptr, "Delete hotel \"X\"?", "Delete");
        box->show();
        QPushButton *action = nullptr;
        QPushButton *cancel = nullptr;
        for (QAbstractButton *b : box->buttons())
            (b->text() == "Delete" ? action : cancel) = static_cast<QPushButton *>(b);
        ASSERT_NE(action, nullptr);
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(cancel->text(), "Cancel");
        EXPECT_EQ(box->buttons().size(), 2);
        switch (c.answer) {
        case Answer::Action:
            action->click();
            break;
        case Answer::CancelButton:
            cancel->click();
            break;
        case Answer::Escape:
            PressKey(box.get(), Qt::Key_Escape);
            break;
        case Answer::Return:
            PressKey(box.get(), Qt::Key_Return);
            break;
        }
        EXPECT_FALSE(box->isVisible());
        EXPECT_EQ(TConfirmBox::Accepted(*box), c.accepted);
    }
}
