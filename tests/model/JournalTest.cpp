// The hotel journal: the hourly rules' events gathered into one report each morning.
#include "ModelFixture.h"
#include "model/GuestThresholds.h"
#include "model/JournalBook.h"

namespace {

THotelJournal::TNames TestNames()
{
    THotelJournal::TNames names;
    for (const TCatalogRow &row : TestCatalog())
        names[row.ID] = row.NAME;
    return names;
}

} // namespace

class JournalTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        OpenNewHotel();
        journal.SetNames(TestNames());
        data->SetHotelEvents(&journal);
    }

    THotelJournal journal;
};

// One scripted day from 08:00 to 08:00 on two floors, every draw 0:
// Floor 1 has a police station with 3 workers (wage 3 x 11 = 33 every fourth
// hour), an occupied "Four" with one day of wear and a free "One"; Floor 2 has
// police 18, a lift with no life left, an occupied "Two" and a "One" that needs
// 4 more construction hours. Money is 40.
TEST_F(JournalTest, AScriptedDayGivesOneReportWithEveryKindOfEvent)
{
    SetMoney(1000000);
    data->BuildFloor();
    data->BuildFloor();
    data->SelectFloor(0);
    AddRoom(4, 0, 1);
    AddRoom(1, 2, 0);
    data->BuildStation(2);
    for (int k = 0; k < 3; ++k)
        data->ChangeWorkers(2, +1);
    data->SelectFloor(1);
    AddRoom(2, 0, 1);
    data->BuildRoom(1, 4);
    data->BuyStuff(1);
    SetFloor(1, "POLICY", 18);
    SetMoney(40);
    SetHour(8);
    const int day = static_cast<int>(data->tHotel.FieldNamed("DATE").AsDateTime());

    data->RunHours(23);
    EXPECT_TRUE(journal.Days().empty()) << "no report before the next 08:00";
    EXPECT_FALSE(journal.PendingLines().empty()) << "the day so far is readable";
    data->RunHours(1);

    // By hand: 09:00 dirt falls by the load (Floor 1: 4, Floor 2: 2). 10:00 the
    // free "One" fills (comfort (96 + 100 + 100) / 4 = 74); "Two" leaves, police
    // 18 < 20. 12:00 the police is paid (33 < 40, money 7) and "One" on Floor 2
    // is finished; after that 33 is never below 7: unpaid at 16, 20, 0, 4 and 8.
    // 15:00 the lift wears out; 22:00 "Four" breaks. Floor 1's dirt falls by 5 at
    // 12, 15, 18 and 21 and by 1 at 0, 3 and 6: 96 - 20 - 3 = 73, comfort
    // (73 + 100 + 100) / 4 = 68, income 68% of 10 = 6.8, rounded 7; money 14.
    ASSERT_EQ(journal.Days().size(), 1u);
    const TJournalDay &report = journal.Days().front();
    EXPECT_EQ(report.Day, day + 1);
    EXPECT_EQ(report.Income, 7);
    EXPECT_EQ(report.Money, 14);
    EXPECT_EQ(report.OccupiedRooms, 1);
    EXPECT_EQ(report.Lines, (std::vector<std::string>{
                                "Income 7, money 14, 1 room occupied",
                                "Wages paid: police 33",
                                "Floor 1: police unpaid 5 times, wage 33 \u2265 money 7",
                                "Floor 1: 1 room filled at 10:00",
                                "Floor 2: 1 room left at 10:00, police 18 < 20",
                                "Floor 1: Four broke at 22:00",
                                "Floor 2: Lift wore out at 15:00",
                                "Floor 2: One finished at 12:00",
                            }));
    EXPECT_EQ(data->GetMoney(), 14) << "the journal reports the money the rules left";
    EXPECT_TRUE(journal.PendingLines().empty()) << "a report starts the next day afresh";
}

TEST_F(JournalTest, ListeningChangesNoRuleResult)
{
    // The same day twice, with and without the journal: the same tables.
    auto playDay = [this](THotelEvents *events) {
        data->SetHotelEvents(events);
        SetMoney(1000000);
        data->BuildFloor();
        data->SelectFloor(0);
        AddRoom(1, 0, 1);
        AddRoom(2, 2, 0);
        data->BuildStation(1);
        data->ChangeWorkers(1, +1);
        data->BuyStuff(3);
        SetMoney(25);
        SetHour(8);
        random.Script = {3, 1, 2, 0, 4};
        data->RunHours(48);
        std::vector<int> figures{data->GetMoney(), FloorValue(0, "DIRTY"), FloorValue(0, "POLICY"),
                                 FloorValue(0, "COMFORT")};
        for (data->tRoom.First(); !data->tRoom.AtEnd(); data->tRoom.Next()) {
            figures.push_back(Get(data->tRoom, "STATUS"));
            figures.push_back(Get(data->tRoom, "WEAR"));
        }
        return figures;
    };
    const std::vector<int> listened = playDay(&journal);
    EXPECT_EQ(journal.Days().size(), 2u);
    OpenNewHotel("Second");
    const std::vector<int> unheard = playDay(nullptr);
    EXPECT_EQ(listened, unheard);
}

TEST(JournalLines, LevelsBelowWhatKeepsAGuestAreNamedWithTheirThreshold)
{
    struct Case
    {
        TFloorLevels levels; // comfort, dirty, policy, fire
        const char *text;
    };
    const Case cases[] = {
        {{60, 100, 18, 100}, "police 18 < 20"},
        {{49, 20, 19, 0}, "police 19 < 20, fire 0 < 20, comfort 49 < 50"},
        {{50, 20, 20, 20}, ""}, // exactly at the threshold a guest stays
        {{30, 5, 90, 90}, "clean 5 < 20, comfort 30 < 50"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(THotelJournal::LevelsBelowStay(c.levels), c.text);
    EXPECT_EQ(GuestThresholds::GuestLevel, 20);
    EXPECT_EQ(GuestThresholds::GuestComfort, 50);
}

TEST(JournalLines, EventsOfOneFloorAndHourShareALineAndReportsFollowEachOther)
{
    THotelJournal journal;
    journal.SetNames({{1, "Single"}, {5, "Suite"}, {22, "Ventilation"}, {24, "TV cable"}});
    int changes = 0;
    journal.OnChange = [&] { ++changes; };
    journal.HourBegan(100, 10);
    journal.GuestLeft(7, 2, 1, {45, 80, 80, 80});
    journal.GuestLeft(8, 2, 5, {45, 80, 80, 80});
    journal.GuestArrived(9, 0, 1);
    journal.HourBegan(100, 15);
    journal.StuffWornOut(0, 2);
    journal.StuffWornOut(0, 4);
    journal.HourBegan(100, 16);
    journal.WagePaid(0, 1, 2, 12);
    journal.WagePaid(1, 1, 1, 6);
    journal.WagePaid(0, 3, 1, 10);
    journal.WageUnpaid(3, 3, 5, 50, 20);
    journal.HourBegan(100, 22);
    journal.RoomBroken(3, 4, 1);
    journal.RoomBroken(4, 4, 5);
    EXPECT_EQ(journal.PendingLines(), (std::vector<std::string>{
                                          "Wages paid: cleaning 18, fire 10",
                                          "Floor 4: fire unpaid once, wage 50 \u2265 money 20",
                                          "Floor 1: 1 room filled at 10:00",
                                          "Floor 3: 2 rooms left at 10:00, comfort 45 < 50",
                                          "Floor 5: Single, Suite broke at 22:00",
                                          "Floor 1: Ventilation, TV cable wore out at 15:00",
                                      }));
    journal.HourBegan(101, 8);
    journal.IncomeCollected(0, 20, 0);
    journal.HourBegan(101, 12);
    journal.ConstructionFinished(11, 9, 3); // a type without a name
    journal.HourBegan(102, 8);
    journal.IncomeCollected(300, 320, 2);
    ASSERT_EQ(journal.Days().size(), 2u);
    EXPECT_EQ(journal.Days()[0].Day, 101);
    EXPECT_EQ(journal.Days()[0].Lines.size(), 7u);
    EXPECT_EQ(journal.Days()[1].Day, 102);
    EXPECT_EQ(journal.Days()[1].Lines,
              (std::vector<std::string>{"Income 300, money 320, 2 rooms occupied",
                                        "Floor 10: room type 3 finished at 12:00"}));
    EXPECT_EQ(changes, 14);
}

TEST(JournalBook, EachHotelKeepsItsOwnJournalForTheSession)
{
    TJournalBook book;
    EXPECT_EQ(book.Find(3), nullptr);
    THotelJournal &first = book.Journal(3);
    first.IncomeCollected(10, 10, 1);
    EXPECT_EQ(&book.Journal(3), &first) << "opened again, the same journal";
    EXPECT_EQ(book.Find(3), &first);
    EXPECT_TRUE(book.Journal(4).Days().empty()) << "another hotel starts empty";
    EXPECT_EQ(book.Journal(3).Days().size(), 1u);
}
