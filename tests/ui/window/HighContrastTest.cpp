// The high-contrast colours: every text of the panels against what lies
// behind it, by the relative-luminance contrast ratio, in both schemes; the
// H key, and the choice kept for the next run.
#include "WindowFixture.h"
#include "store/MemTable.h"
#include "ui/DisplaySettings.h"
#include "ui/FloorPanel.h"
#include "ui/TF_Dialog.h"
#include "ui/widgets/ColorScheme.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/ShadowLabel.h"
#include "ui/widgets/SystemColors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <cmath>

namespace {

// Relative luminance of an sRGB colour.
double Luminance(const QColor &color)
{
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.red()) + 0.7152 * linear(color.green()) +
           0.0722 * linear(color.blue());
}

double ContrastRatio(const QColor &a, const QColor &b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct TextPair
{
    QString what;
    QColor text;
    QColor background;
};

QString Name(const QColor &color)
{
    return QStringLiteral("(%1,%2,%3)").arg(color.red()).arg(color.green()).arg(color.blue());
}

} // namespace

TEST(ContrastRatio, FollowsTheRelativeLuminanceFormula)
{
    // Worked by hand: L(128) = ((128/255 + 0.055) / 1.055)^2.4 = 0.2158.
    const struct
    {
        QColor a, b;
        double ratio;
    } cases[] = {
        {clWhite, clBlack, 21.0},
        {clBlack, clBlack, 1.0},
        {clWhite, clGray, 1.05 / 0.2658},                      // 3.95
        {clRed, clBlack, 0.2626 / 0.05},                       // 5.25
        {clMaroon, clGray, 0.2658 / (0.2126 * 0.2158 + 0.05)}, // 2.77
        {clYellow, QColor(128, 128, 255), 0.9778 / 0.3224},    // 3.03
    };
    for (const auto &c : cases)
        EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.01)
            << Name(c.a).toStdString() << " on " << Name(c.b).toStdString();
}

class HighContrastTest : public WindowTest
{
protected:
    HighContrastTest()
    {
        AddHotel("Contrast");
        LoadWithMoney();
        BuyFloor();
    }
    void PressH()
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_H, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &press);
    }
    bool HighContrast() { return TColorScheme::HighContrast(window.get()); }

    // Every text of the window's panels with what lies behind it, as painted
    // in the window's current scheme, and every colour the refreshes give to
    // the levels and to the room's status.
    std::vector<TextPair> Pairs()
    {
        const bool on = HighContrast();
        std::vector<TextPair> pairs;
        auto label = [&](TShadowLabel *l, const QString &what) {
            const QColor text = TColorScheme::LabelText(
                l->FontColor().isValid() ? l->FontColor()
                                         : l->palette().color(QPalette::WindowText),
                on);
            const QColor behind = l->Transparent()
                                      ? l->parentWidget()->palette().color(QPalette::Window)
                                      : TColorScheme::PanelFill(l->Color(), on);
            pairs.push_back({what, text, behind});
        };
        for (TShadowLabel *l : window->findChildren<TShadowLabel *>())
            label(l, l->objectName().isEmpty() ? l->Caption() : l->objectName());
        for (TOvalButton *b : window->findChildren<TOvalButton *>()) {
            const QColor caption = b->FontColor().isValid()
                                       ? b->FontColor()
                                       : b->palette().color(QPalette::WindowText);
            pairs.push_back({b->Caption().join(' '), TColorScheme::ButtonCaption(caption, on),
                             TColorScheme::ButtonFace(b->Color(), on)});
        }
        // Plain text labels of the panels (the journal) on what lies behind them.
        for (QLabel *l : window->findChildren<QLabel *>())
            if (l->window() == window.get() && !l->text().isEmpty())
                pairs.push_back({l->objectName().isEmpty() ? l->text().left(20) : l->objectName(),
                                 l->palette().color(QPalette::WindowText),
                                 l->parentWidget()->palette().color(QPalette::Window)});
        QTableView *grid = driver->Control<QTableView>("DataGrid1");
        pairs.push_back({"list rows", grid->palette().color(QPalette::Text),
                         grid->viewport()->palette().color(QPalette::Base)});
        pairs.push_back({"list headers", clYellow, QColor(100, 100, 100)});

        // The level colours, from 100 down to 0.
        TShadowLabel *level = driver->Control<TShadowLabel>("edDirty");
        for (int value : {100, 60, 40, 10}) {
            TFloorPanel::ShowLevel(value, level);
            label(level, QStringLiteral("level %1").arg(value));
        }
        // The room's status words, from building to broken.
        ChooseTool(1);
        Click(Qt::LeftButton, 45, 490);
        const int roomId = data->RoomID;
        for (int status : {-1, 0, 1, 2}) {
            data->tRoom.Locate("ID", roomId);
            data->tRoom.Edit();
            data->tRoom.FieldNamed("STATUS").SetAsInteger(status);
            data->tRoom.Post();
            data->SelectRoom(roomId);
            label(driver->Control<TShadowLabel>("edRoomStatus"), Caption("edRoomStatus"));
        }
        return pairs;
    }
};

TEST_F(HighContrastTest, EveryPanelTextReadsAtFourAndAHalfToOneInHighContrast)
{
    PressH();
    ASSERT_TRUE(HighContrast());
    const std::vector<TextPair> pairs = Pairs();
    ASSERT_GT(pairs.size(), 60u) << "the labels and buttons of both screens";
    for (const TextPair &p : pairs)
        EXPECT_GE(ContrastRatio(p.text, p.background), 4.5)
            << p.what.toStdString() << ": " << Name(p.text).toStdString() << " on "
            << Name(p.background).toStdString();
}

TEST_F(HighContrastTest, TheStandardColoursStayAndKeepTheirKnownShortfalls)
{
    ASSERT_FALSE(HighContrast());
    std::map<QString, double> ratio;
    for (const TextPair &p : Pairs())
        ratio[p.what] = ContrastRatio(p.text, p.background);
    // What the standard look paints: these fall short, and high contrast mends them.
    EXPECT_NEAR(ratio["level 10"], 2.77, 0.01) << "maroon on grey";
    EXPECT_NEAR(ratio["Broken"], 2.77, 0.01) << "maroon on grey";
    EXPECT_NEAR(ratio["Room 1"], 3.03, 0.01) << "yellow on lavender";
    for (const QColor &c : {clMaroon, clRed, clLime, clYellow, clAqua, clWhite, clBlack, clGray,
                            clBlue, QColor(128, 128, 255)}) {
        EXPECT_EQ(TColorScheme::LabelText(c, false), c);
        EXPECT_EQ(TColorScheme::PanelFill(c, false), c);
        EXPECT_EQ(TColorScheme::ButtonFace(c, false), c);
        EXPECT_EQ(TColorScheme::ButtonCaption(c, false), c);
    }
}

TEST_F(HighContrastTest, EachColourKeepsItsMeaning)
{
    // Good stays lime, middling yellow, bad red; the worst and a broken room a red too.
    EXPECT_EQ(TColorScheme::LabelText(clLime, true), clLime);
    EXPECT_EQ(TColorScheme::LabelText(clYellow, true), clYellow);
    EXPECT_EQ(TColorScheme::LabelText(clRed, true), clRed);
    EXPECT_EQ(TColorScheme::LabelText(clAqua, true), clAqua);
    const QColor worst = TColorScheme::LabelText(clMaroon, true);
    EXPECT_EQ(worst.red(), 255);
    EXPECT_LT(worst.green(), worst.red() / 2) << "still a red";
    EXPECT_EQ(worst.green(), worst.blue());
    EXPECT_NE(worst, clRed) << "told apart from the levels just above";
}

TEST_F(HighContrastTest, HSwitchesBackAndForthAndTheChoiceIsKeptForTheNextRun)
{
    EXPECT_FALSE(TDisplaySettings::HighContrast());
    EXPECT_EQ(driver->Control("Panel1")->palette().color(QPalette::Window), clGray);
    PressH();
    EXPECT_TRUE(HighContrast());
    EXPECT_TRUE(TDisplaySettings::HighContrast());
    EXPECT_EQ(driver->Control("Panel1")->palette().color(QPalette::Window), clBlack);
    EXPECT_EQ(driver->Control("Panel3")->palette().color(QPalette::Window), clBlack);
    EXPECT_EQ(driver->Control("DataGrid1")->palette().color(QPalette::Base), clBlack);

    // The next run starts in high contrast.
    {
        TF_Main next(*data);
        EXPECT_TRUE(TColorScheme::HighContrast(&next));
        EXPECT_EQ(TWindowDriver(next).Control("Panel1")->palette().color(QPalette::Window),
                  clBlack);
    }
    data->SetSceneCallbacks(window.get());

    // The message window keeps its own light board.
    TF_Dialog dialog(window.get());
    EXPECT_FALSE(TColorScheme::HighContrast(dialog.edMesage));

    PressH();
    EXPECT_FALSE(HighContrast());
    EXPECT_FALSE(TDisplaySettings::HighContrast());
    EXPECT_EQ(driver->Control("Panel1")->palette().color(QPalette::Window), clGray);
    EXPECT_EQ(driver->Control("DataGrid1")->palette().color(QPalette::Base), clGray);
}
