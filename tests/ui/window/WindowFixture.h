#pragma once

#include "model/MessageWindow.h"
#include "model/SeededRandom.h"
#include "model/TD_Data.h"
#include "support/WindowDriver.h"
#include "ui/TF_Main.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

class TSprite;
class TGeneralSprite;

// Records the model's refusals instead of showing them.
class RecordingMessageWindow : public TMessageWindow
{
public:
    void ShowDialog(const std::string &text) override { Messages.push_back(text); }
    std::vector<std::string> Messages;
};

// The main window over a model in a fresh directory that holds the shipped
// catalog's rows, driven through its test driver. Errors that the window's
// guard would show are recorded.
class WindowTest : public ::testing::Test
{
protected:
    WindowTest();
    ~WindowTest() override;

    // Closes the window and the model (which saves the tables), runs betweenRuns on the
    // directory, and starts both again, as a new start of the program does.
    void Restart(const std::function<void()> &betweenRuns);
    // Writes tRooms.dht from the catalog source of the repository.
    static void WriteCatalog(const std::string &directory);

    // A new hotel, made current in the list.
    void AddHotel(const std::string &name);
    // Loads the current hotel with plenty of money.
    void LoadWithMoney(int money = 1000000);
    // Runs a handler the way the window's events do.
    void Run(const std::function<void()> &handler) { driver->Run(handler); }
    void Click(Qt::MouseButton button, int x, int y) { driver->ClickScene(button, x, y); }
    void ChooseTool(int type) { driver->ChooseTool(type); }
    std::string PathOf(const std::string &file) const
    {
        return dir.filePath(QString::fromStdString(file)).toStdString();
    }
    void BuyFloor() { driver->BuyFloor(); }

    // Direct children of the scene's root, and those showing a record ID.
    int SpriteCount();
    std::vector<TGeneralSprite *> SpritesWithID(int id);
    int RoomCount() { return static_cast<int>(data->tRoom.RawRecordCount()); }
    int Page(const char *notebook) { return driver->Page(notebook); }
    QString Caption(const char *labelName) { return driver->LabelText(labelName); }

private:
    void StartWindow();

protected:
    QTemporaryDir dir;
    TSeededRandom random{7};
    RecordingMessageWindow messages;
    std::unique_ptr<TD_Data> data;
    std::unique_ptr<TF_Main> window;
    std::unique_ptr<TWindowDriver> driver;
    std::vector<QString> errors;
};
