#include "WindowFixture.h"

#include "model/TableSchemas.h"
#include "scene/GeneralSprite.h"
#include "store/MemTable.h"
#include "ui/BuildingTools.h"
#include "ui/DisplaySettings.h"
#include "ui/ListPage.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/ShadowLabel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <fstream>
#include <nlohmann/json.hpp>

WindowTest::WindowTest()
{
    WriteCatalog(dir.path().toStdString());
    data = std::make_unique<TD_Data>(dir.path().toStdString());
    data->SetMessageWindow(&messages);
    data->SetRandom(&random);
    // The display choices live in the test's own directory, never the user's,
    // so every window starts in the standard colours.
    TDisplaySettings::UseFile(dir.path() + "/settings.ini");
    window = std::make_unique<TF_Main>(*data);
    window->Guard.ShowError = [this](const QString &text) { errors.push_back(text); };
    // No modal question in a headless test: the player agrees unless a test says otherwise.
    window->AskConfirmation = [](const QString &, const QString &) { return true; };
    window->show();
    // The drawing surface is made after the window's first paint.
    QElapsedTimer waited;
    waited.start();
    while (!window->Arena && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_NE(window->Arena, nullptr);
}

WindowTest::~WindowTest()
{
    window.reset();
    TDisplaySettings::UseFile(QString());
    data->SetMessageWindow(nullptr);
    data->SetRandom(nullptr);
}

void WindowTest::WriteCatalog(const std::string &directory)
{
    TvekMemTable catalog("tRooms");
    DefineGameTableFields(catalog, "tRooms");
    catalog.Open();
    std::ifstream rows(std::string(TAMSEL_SOURCE_DIR) + "/assets/catalog/tRooms.jsonl");
    std::string line;
    while (std::getline(rows, line)) {
        if (line.empty())
            continue;
        const nlohmann::json row = nlohmann::json::parse(line);
        catalog.Append();
        for (const auto &[name, value] : row.items()) {
            if (value.is_string())
                catalog.FieldNamed(name).SetAsString(value.get<std::string>());
            else
                catalog.FieldNamed(name).SetAsInteger(value.get<int>());
        }
        catalog.Post();
    }
    catalog.WriteTableFile(directory + "/tRooms.dht");
}

void WindowTest::AddHotel(const std::string &name)
{
    window->AskHotelName = [name]() {
        return std::optional<QString>(QString::fromStdString(name));
    };
    Run([&] { window->BitBtn2Click(window->ListPage->OvalButton2); });
}

void WindowTest::LoadWithMoney(int money)
{
    Run([&] { window->BitBtn1Click(window->ListPage->OvalButton1); });
    data->AddMoney(money - data->GetMoney());
}

void WindowTest::ChooseTool(int type)
{
    // What a click does: the handler first, then the group presses the button.
    TOvalButton *tool = window->Tools->ToolButton(type);
    Run([&] { window->OvalButton1Click(tool); });
    tool->SetDown(true);
}

int WindowTest::SpriteCount()
{
    return window->HotelEngine.Root().ChildCount();
}

std::vector<TGeneralSprite *> WindowTest::SpritesWithID(int id)
{
    std::vector<TGeneralSprite *> found;
    TSpriteEngine &root = window->HotelEngine.Root();
    for (int i = 0; i < root.ChildCount(); ++i)
        if (auto *sprite = dynamic_cast<TGeneralSprite *>(root.Child(i));
            sprite && sprite->ID == id)
            found.push_back(sprite);
    return found;
}

QString WindowTest::Caption(const char *labelName)
{
    auto *label = window->findChild<TShadowLabel *>(labelName);
    return label ? label->Caption() : QString("<no %1>").arg(labelName);
}
