#include "GameDriver.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <signal.h>
#include <stdexcept>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

std::string RunAndRead(const std::string &command)
{
    std::string out;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run " + command);
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        out.append(buffer.data(), n);
    if (pclose(pipe) != 0)
        throw std::runtime_error("failed: " + command + "\n" + out);
    return out;
}

std::string Environment(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string Text(const nlohmann::json &value)
{
    if (value.is_string())
        return value.get<std::string>();
    if (value.is_null())
        return "";
    return value.dump();
}

} // namespace

GameDriver::GameDriver(const std::string &name) : name_(name)
{
    const char *tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tamsel-" + name + "-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a directory for the game");
    workDir_ = pattern;
    log_ = workDir_ + "/game.log";
    const std::string installed = Environment("TAMSEL_E2E_PROGRAM");
    if (!installed.empty()) {
        program_ = installed;
        toolsDir_ = fs::path(installed).parent_path().string() + "/";
        dir_ = Environment("TAMSEL_E2E_SAVES");
        catalogFile_ = Environment("TAMSEL_E2E_CATALOG");
        if (dir_.empty() || catalogFile_.empty())
            throw std::runtime_error(
                "TAMSEL_E2E_PROGRAM needs TAMSEL_E2E_SAVES and TAMSEL_E2E_CATALOG");
        return;
    }
    dir_ = workDir_;
    catalogFile_ = dir_ + "/tRooms.dht";
    program_ = dir_ + "/tamsel-hotel";
    toolsDir_ = XSession::ExeDir();
    fs::copy_file(toolsDir_ + "tamsel-hotel", program_);
    fs::copy_file(toolsDir_ + "tRooms.dht", catalogFile_);
}

std::string GameDriver::ShotsDir()
{
    const std::string chosen = Environment("TAMSEL_E2E_SHOTS");
    return chosen.empty() ? std::string(TAMSEL_BINARY_DIR) + "/e2e-shots/" : chosen + "/";
}

GameDriver::~GameDriver()
{
    if (Running()) {
        kill(pid_, SIGKILL);
        x_.WaitExit(pid_, 5s);
    }
    if (!std::getenv("TAMSEL_E2E_KEEP")) {
        std::error_code ignored;
        fs::remove_all(workDir_, ignored);
    }
}

bool GameDriver::Start()
{
    Launch();
    return WaitMain();
}

void GameDriver::Launch()
{
    // The game keeps its settings in this directory, never in the user's.
    setenv("XDG_CONFIG_HOME", (dir_ + "/config").c_str(), 1);
    if (faketime_.empty())
        pid_ = x_.Launch(program_, {}, workDir_, log_);
    else
        pid_ = x_.Launch("/usr/bin/faketime", {"-f", faketime_, program_}, workDir_, log_);
}

pid_t GameDriver::LaunchAgain(const std::string &logFile)
{
    return x_.Launch(program_, {}, workDir_, logFile);
}

bool GameDriver::WaitMain()
{
    if (!x_.WaitWindowWhere(
            [&](const XSession::TopWindow &w) {
                return w.title == "TAMSEL HOTEL" && w.geometry.width() == 979;
            },
            main_, 20s))
        return false;
    x_.Focus(main_);
    return true;
}

void GameDriver::Click(QPoint at, int button)
{
    x_.Click(main_.geometry.x() + at.x(), main_.geometry.y() + at.y(), button);
}

void GameDriver::Move(QPoint at)
{
    x_.MoveMouse(main_.geometry.x() + at.x(), main_.geometry.y() + at.y());
}

QImage GameDriver::GrabWindow()
{
    return x_.Grab(main_.geometry);
}

QRgb GameDriver::PixelAt(QPoint at)
{
    return x_.Pixel(main_.geometry.x() + at.x(), main_.geometry.y() + at.y());
}

QImage GameDriver::GrabScene()
{
    return x_.Grab(SceneRect().translated(main_.geometry.topLeft()));
}

bool GameDriver::Shot(const std::string &pngFile)
{
    return GrabWindow().save(QString::fromStdString(pngFile), "PNG");
}

bool GameDriver::Await(const std::function<bool()> &condition, XSession::Millis deadline)
{
    if (XSession::WaitUntil(condition, deadline))
        return true;
    const std::string dir = ShotsDir();
    fs::create_directories(dir);
    const std::string shot = dir + "failed-" + name_ + "-" + std::to_string(++failures_) + ".png";
    Shot(shot);
    std::fprintf(stderr, "waited in vain; the window is in %s\n", shot.c_str());
    return false;
}

bool GameDriver::MessageWindow(XSession::TopWindow &out)
{
    for (const auto &w : x_.Windows())
        if (w.id != main_.id && w.geometry.size() == QSize(410, 400)) {
            out = w;
            return true;
        }
    return false;
}

bool GameDriver::ErrorBox(XSession::TopWindow &out)
{
    for (const auto &w : x_.Windows())
        if (w.title == "Error") {
            out = w;
            return true;
        }
    return false;
}

void GameDriver::CloseMessage(const XSession::TopWindow &dialog)
{
    x_.Click(dialog.geometry.x() + 292, dialog.geometry.y() + 376);
}

bool GameDriver::NewHotel(const std::string &name)
{
    Click(New());
    XSession::TopWindow box;
    if (!x_.WaitWindow("New hotel", box, 10s))
        return false;
    x_.Focus(box);
    if (!name.empty())
        x_.Type(name);
    x_.Key("Return");
    const bool closed = x_.WaitNoWindow("New hotel", 10s);
    x_.Focus(main_);
    return closed;
}

int GameDriver::Quit()
{
    if (!x_.CloseWindow(main_))
        return -1;
    const int status = x_.WaitExit(pid_, 30s);
    if (status != -1)
        pid_ = 0;
    return status;
}

std::vector<std::map<std::string, std::string>> GameDriver::Dump(const std::string &table) const
{
    const std::string file = table == "tRooms" ? catalogFile_ : dir_ + "/" + table + ".dht";
    const std::string out = RunAndRead("'" + BinDir() + "hotel-tables' dump '" + file + "'");
    std::vector<std::map<std::string, std::string>> records;
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find('\n', start);
        if (end == std::string::npos)
            end = out.size();
        const std::string line = out.substr(start, end - start);
        start = end + 1;
        if (line.empty())
            continue;
        const nlohmann::json record = nlohmann::json::parse(line);
        if (!record.is_object())
            continue;
        const nlohmann::json &fields =
            record.contains("fields") && record["fields"].is_object() ? record["fields"] : record;
        std::map<std::string, std::string> row;
        for (const auto &[key, value] : fields.items())
            row[key] = Text(value);
        records.push_back(std::move(row));
    }
    return records;
}

int CountEqualPixels(const QImage &shot, QPoint at, const QImage &picture, const QRect &source)
{
    int equal = 0;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QPoint p = at + QPoint(x, y);
            if (!shot.rect().contains(p))
                continue;
            if ((shot.pixel(p) & 0xffffff) ==
                (picture.pixel(source.x() + x, source.y() + y) & 0xffffff))
                ++equal;
        }
    return equal;
}

QImage SpritePicture(const std::string &name)
{
    std::string folder = Environment("TAMSEL_E2E_SPRITES");
    if (folder.empty())
        folder = std::string(TAMSEL_SOURCE_DIR) + "/assets/sprites";
    return QImage(QString::fromStdString(folder + "/" + name + ".bmp"))
        .convertToFormat(QImage::Format_RGB32);
}
