#include "MemTableRecorder.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

using Log = std::vector<std::string>;

// What a panel bound to a table sees through its data source's handlers.
struct PanelLog
{
    explicit PanelLog(TDataSource &source)
    {
        source.OnDataChange = [this](TDataSource &, TField *field) {
            log.push_back(field != nullptr ? "DataChange:" + field->FieldName : "DataChange");
        };
        source.OnStateChange = [this](TDataSource &sender) {
            log.push_back("StateChange:" + std::to_string(sender.State()));
        };
        source.OnUpdateData = [this](TDataSource &) { log.push_back("UpdateData"); };
    }
    Log Take()
    {
        Log taken;
        taken.swap(log);
        return taken;
    }
    Log log;
};

// A table of one integer field, open, holding one record.
void OpenWithOneRecord(TvekMemTable &table)
{
    table.AddField<TIntegerField>("ID");
    table.Open();
    AddRecord(table, {{"ID", 1}});
}

class NotificationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        table.AddField<TIntegerField>("ID");
        table.AddField<TIntegerField>("DIRTY");
    }
    void Fill()
    {
        table.Open();
        for (int id : {1, 2, 3})
            AddRecord(table, {{"ID", id}, {"DIRTY", 100}});
    }

    TvekMemTable table{"tFloor"};
    TDataSource source;
    PanelLog panel{source};
};

TEST_F(NotificationTest, ASourceFollowsTheStateOfItsTable)
{
    source.SetDataSet(&table);
    EXPECT_TRUE(panel.Take().empty()) << "a closed table is inactive";
    EXPECT_EQ(source.State(), tsInactive);
    table.Open();
    EXPECT_EQ(panel.Take(), (Log{"StateChange:1", "DataChange"}));
    table.Append();
    EXPECT_EQ(panel.Take(), (Log{"StateChange:3", "DataChange"}));
    table.FieldNamed("ID").SetAsInteger(4);
    EXPECT_EQ(panel.Take(), (Log{"DataChange:ID"}));
    table.Post();
    EXPECT_EQ(panel.Take(), (Log{"UpdateData", "StateChange:1", "DataChange"}));
    table.Edit();
    EXPECT_EQ(panel.Take(), (Log{"StateChange:2", "DataChange"}));
    table.Cancel();
    EXPECT_EQ(panel.Take(), (Log{"StateChange:1", "DataChange"}));
    table.Close();
    EXPECT_EQ(panel.Take(), (Log{"StateChange:0"}));
    EXPECT_EQ(source.State(), tsInactive);
}

TEST_F(NotificationTest, BindingToAnOpenTableRaisesStateThenData)
{
    table.Open();
    source.SetDataSet(&table);
    EXPECT_EQ(panel.Take(), (Log{"StateChange:1", "DataChange"}));
    source.SetDataSet(nullptr);
    EXPECT_EQ(panel.Take(), (Log{"StateChange:0"}));
    table.First();
    EXPECT_TRUE(panel.Take().empty());
}

TEST_F(NotificationTest, SourcesHearNoticesInTheOrderTheyRegistered)
{
    Log order;
    TDataSource second;
    source.OnDataChange = [&](TDataSource &, TField *) { order.push_back("first"); };
    second.OnDataChange = [&](TDataSource &, TField *) { order.push_back("second"); };
    table.Open();
    source.SetDataSet(&table);
    second.SetDataSet(&table);
    order.clear();
    table.First();
    EXPECT_EQ(order, (Log{"first", "second"}));
}

TEST_F(NotificationTest, AWalkBetweenSuspendAndResumeSendsOneNotice)
{
    Fill();
    source.SetDataSet(&table);
    panel.Take();
    table.SuspendNotifications();
    for (table.First(); !table.AtEnd(); table.Next()) {
        table.Edit();
        table.FieldNamed("DIRTY").SetAsInteger(table.FieldNamed("DIRTY").AsInteger() - 1);
        table.Post();
    }
    EXPECT_TRUE(panel.Take().empty());
    table.ResumeNotifications();
    EXPECT_EQ(panel.Take(), (Log{"DataChange"}));
    table.ResumeNotifications();
    EXPECT_TRUE(panel.Take().empty()) << "an unmatched resume does nothing";
}

TEST_F(NotificationTest, SuspensionsNest)
{
    Fill();
    source.SetDataSet(&table);
    panel.Take();
    table.SuspendNotifications();
    table.SuspendNotifications();
    EXPECT_EQ(table.NotificationSuspendCount(), 2);
    table.First();
    table.ResumeNotifications();
    EXPECT_TRUE(panel.Take().empty());
    table.ResumeNotifications();
    EXPECT_EQ(panel.Take(), (Log{"DataChange"}));
}

TEST_F(NotificationTest, ResumeReportsAStateThatChanged)
{
    struct Case
    {
        const char *name;
        std::function<void(TvekMemTable &)> during;
        Log seen;
    };
    const Case cases[] = {
        {"nothing happened", [](TvekMemTable &) {}, {"DataChange"}},
        {"left in tsEdit", [](TvekMemTable &t) { t.Edit(); }, {"StateChange:2", "DataChange"}},
        {"closed", [](TvekMemTable &t) { t.Close(); }, {"StateChange:0"}},
        {"closed and opened again",
         [](TvekMemTable &t) {
             t.Close();
             t.Open();
         },
         {"DataChange"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TvekMemTable t{"tFloor"};
        OpenWithOneRecord(t);
        TDataSource s;
        PanelLog p(s);
        s.SetDataSet(&t);
        p.Take();
        t.SuspendNotifications();
        c.during(t);
        EXPECT_TRUE(p.log.empty());
        t.ResumeNotifications();
        EXPECT_EQ(p.Take(), c.seen);
    }
}

TEST_F(NotificationTest, AClosingDuringSuspensionLeavesALayoutChangePending)
{
    Fill();
    std::vector<std::string> notices;
    TRecordingSource recorder(notices);
    recorder.SetDataSet(&table);
    notices.clear();
    table.SuspendNotifications();
    table.Close();
    table.Open();
    table.ResumeNotifications();
    EXPECT_EQ(notices, (Log{"nkLayoutChange"}));
}

TEST_F(NotificationTest, ThePendingNoticeIsALayoutChangeOnlyWhenTheTableClosedOrItsFieldsChanged)
{
    struct Case
    {
        const char *name;
        std::function<void(TvekMemTable &)> during;
        Log notices;
    };
    const Case cases[] = {
        {"nothing happened", [](TvekMemTable &) {}, {"nkDataSetChange"}},
        {"a record edited and posted",
         [](TvekMemTable &t) {
             t.Edit();
             t.FieldNamed("ID").SetAsInteger(2);
             t.Post();
         },
         {"nkDataSetChange"}},
        {"a record appended and cancelled",
         [](TvekMemTable &t) {
             t.Append();
             t.FieldNamed("ID").SetAsInteger(3);
             t.Cancel();
         },
         {"nkDataSetChange"}},
        {"a walk with a delete",
         [](TvekMemTable &t) {
             AddRecord(t, {{"ID", 4}});
             t.First();
             t.Next();
             t.Delete();
         },
         {"nkDataSetChange"}},
        {"left in tsEdit", [](TvekMemTable &t) { t.Edit(); }, {"nkUpdateState", "nkDataSetChange"}},
        {"closed and opened again",
         [](TvekMemTable &t) {
             t.Close();
             t.Open();
         },
         {"nkLayoutChange"}},
        {"closed, a field added, opened",
         [](TvekMemTable &t) {
             t.Close();
             t.AddField<TIntegerField>("MORE");
             t.Open();
         },
         {"nkLayoutChange"}},
        {"closed", [](TvekMemTable &t) { t.Close(); }, {"nkUpdateState"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TvekMemTable t{"tFloor"};
        OpenWithOneRecord(t);
        Log notices;
        TRecordingSource recorder(notices);
        recorder.SetDataSet(&t);
        notices.clear();
        t.SuspendNotifications();
        c.during(t);
        EXPECT_TRUE(notices.empty());
        t.ResumeNotifications();
        EXPECT_EQ(notices, c.notices);
    }
}

TEST_F(NotificationTest, EachSuspensionStartsWithADataSetChangePending)
{
    Fill();
    Log notices;
    TRecordingSource recorder(notices);
    recorder.SetDataSet(&table);
    table.SuspendNotifications();
    table.Close();
    table.Open();
    table.ResumeNotifications();
    notices.clear();
    table.SuspendNotifications();
    AddRecord(table, {{"ID", 4}});
    table.ResumeNotifications();
    EXPECT_EQ(notices, (Log{"nkDataSetChange"})) << "the earlier layout change was sent";
}

TEST_F(NotificationTest, AddingOrClearingFieldsSendsALayoutChange)
{
    Log notices;
    TRecordingSource recorder(notices);
    recorder.SetDataSet(&table);
    source.SetDataSet(&table);
    notices.clear();
    table.AddField<TIntegerField>("MORE");
    EXPECT_EQ(notices, (Log{"nkLayoutChange"}));
    table.ClearFields();
    EXPECT_EQ(notices, (Log{"nkLayoutChange", "nkLayoutChange"}));
    EXPECT_TRUE(panel.Take().empty()) << "a source of a closed table passes on no layout change";
}

TEST_F(NotificationTest, ResumeFromAClosedTableSendsOnlyTheStateChange)
{
    std::vector<std::string> notices;
    TRecordingSource recorder(notices);
    recorder.SetDataSet(&table);
    table.SuspendNotifications();
    table.Open();
    AddRecord(table, {{"ID", 1}});
    table.ResumeNotifications();
    EXPECT_EQ(notices, (Log{"nkUpdateState"}));
}

TEST_F(NotificationTest, SourcesAndTablesMayGoInEitherOrder)
{
    auto owned = std::make_unique<TvekMemTable>("tOwned");
    owned->AddField<TIntegerField>("ID");
    owned->Open();
    {
        TDataSource shortLived(owned.get());
        EXPECT_EQ(shortLived.State(), tsBrowse);
    }
    owned->First(); // the destroyed source is no longer called
    source.SetDataSet(owned.get());
    owned.reset();
    EXPECT_EQ(source.DataSet(), nullptr);
    EXPECT_EQ(source.State(), tsInactive);
}

TEST_F(NotificationTest, AHandlerMayUnbindAnotherSource)
{
    Fill();
    TDataSource second;
    bool secondCalled = false;
    second.OnDataChange = [&](TDataSource &, TField *) { secondCalled = true; };
    source.OnDataChange = [&](TDataSource &, TField *) { second.SetDataSet(nullptr); };
    source.SetDataSet(&table);
    second.SetDataSet(&table);
    secondCalled = false;
    table.First();
    EXPECT_FALSE(secondCalled);
}

} // namespace
