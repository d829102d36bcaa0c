// Composes the full-hotel frame (10 floors with their strips, 3 stations and 4 comfort items
// each, 60 rooms of every type of which 10 under construction, 50 occupants) three ways:
// through the scene engine, through QPainter on a QImage, and as the bandwidth floor (one fill
// plus one memcpy per picture row drawn). Ends with the summary line
//   engine/floor R1 qpainter/engine R2 exact yes|no
// where exact tells whether the engine's frame equals the plain reference formula bit for bit.

#include "scene/BlendSprite.h"
#include "scene/DrawSurface.h"
#include "scene/HotelScene.h"
#include "tests/support/ReferenceDraw.h"

#include <QPainter>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

constexpr int LagCount = 16;

// The full hotel of the benchmark on the scene as the window wires it.
struct TFullHotel : THotelScene
{
    TFullHotel() : THotelScene(kSurfaceWidth, kSurfaceHeight)
    {
        Arena.Random.seed(7);
        // Six rooms fill a floor's ten cells: types 1, 2, 3, 4, 5, 1.
        const int types[] = {1, 2, 3, 4, 5, 1};
        const int cells[] = {0, 1, 3, 6, 7, 9};
        int id = 1;
        for (int floor = 0; floor < 10; ++floor) {
            Arena.AddFloor(id++, floor, 1, 2, 3, TComfortItems("1111", ""));
            for (int k = 0; k < 6; ++k) {
                const bool building = k == floor % 6;
                Arena.AddRoom(id++, types[k], floor, cells[k], building ? -4 : 1,
                              building ? 30 + 20 * floor : 255);
            }
        }
    }
};

TFullHotel &Scene()
{
    static TFullHotel scene;
    return scene;
}

// Every blend sprite the engine would paint, in painting order.
void CollectPainted(const TSprite &sprite, std::vector<const TBlendSprite *> &out)
{
    if (!sprite.Visible)
        return;
    if (const auto *blend = dynamic_cast<const TBlendSprite *>(&sprite);
        blend && blend->Picture && blend->Alpha > 0)
        out.push_back(blend);
    for (const TSprite *child : sprite.DrawOrderList())
        CollectPainted(*child, out);
}

void EngineFrame(benchmark::State &state)
{
    THotelScene &scene = Scene();
    for (auto _ : state) {
        scene.Frame(LagCount);
        benchmark::DoNotOptimize(scene.Surface().Image().constBits());
        benchmark::ClobberMemory();
    }
}

// The obvious alternative: QPainter on a QImage, opacity for blending, the colour key turned
// into transparency beforehand (only in the keyed picture, so the others keep Qt's opaque blit).
void QPainterFrame(benchmark::State &state)
{
    THotelScene &scene = Scene();
    std::unordered_map<const TPictureItem *, QImage> images;
    for (int i = 0; i < scene.Pictures.Items.Count(); ++i) {
        const TPictureItem &item = scene.Pictures.Items.Item(i);
        QImage image = item.Picture.convertToFormat(QImage::Format_RGB32);
        if (item.Transparent) {
            image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            for (int y = 0; y < image.height(); ++y) {
                auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x)
                    if ((row[x] & 0xffffff) == (item.TransparentColor & 0xffffff))
                        row[x] = 0;
            }
        }
        images[&item] = image;
    }
    QImage frame(THotelScene::kSurfaceWidth, THotelScene::kSurfaceHeight, QImage::Format_RGB32);
    std::vector<const TBlendSprite *> painted;
    for (auto _ : state) {
        frame.fill(0);
        scene.Engine.Move(LagCount);
        painted.clear();
        CollectPainted(scene.Engine.Root(), painted);
        QPainter painter(&frame);
        for (const TBlendSprite *sprite : painted) {
            painter.setOpacity(sprite->Alpha >= 255 ? 1.0 : sprite->Alpha / 255.0);
            painter.drawImage(QRect(int(sprite->AbsoluteX()), int(sprite->AbsoluteY()),
                                    sprite->Width, sprite->Height),
                              images[sprite->Picture],
                              sprite->Picture->PatternRect(sprite->CurrentPattern()));
        }
        painter.end();
        benchmark::DoNotOptimize(frame.constBits());
        benchmark::ClobberMemory();
    }
}

// The least any compositor must do: clear the surface once and move every drawn row once.
void FloorFrame(benchmark::State &state)
{
    THotelScene &scene = Scene();
    struct TRowCopy
    {
        const std::uint32_t *source;
        std::uint32_t *dest;
        std::size_t bytes;
    };
    std::vector<TDrawSurface> copies;
    std::map<const TPictureItem *, std::size_t> copyOf;
    for (int i = 0; i < scene.Pictures.Items.Count(); ++i) {
        copyOf[&scene.Pictures.Items.Item(i)] = copies.size();
        copies.emplace_back(scene.Pictures.Items.Item(i).Picture);
    }
    TDrawSurface &surface = scene.Surface();
    std::vector<const TBlendSprite *> painted;
    CollectPainted(scene.Engine.Root(), painted);
    std::vector<TRowCopy> rows;
    for (const TBlendSprite *sprite : painted) {
        const QRect pattern = sprite->Picture->PatternRect(sprite->CurrentPattern());
        const QRect target(int(sprite->AbsoluteX()), int(sprite->AbsoluteY()), pattern.width(),
                           pattern.height());
        const QRect clipped = target.intersected(surface.Rect());
        const TDrawSurface &source = copies[copyOf[sprite->Picture]];
        for (int y = clipped.top(); y <= clipped.bottom(); ++y)
            rows.push_back({source.Row(pattern.top() + y - target.top()) + pattern.left() +
                                clipped.left() - target.left(),
                            surface.Row(y) + clipped.left(),
                            std::size_t(clipped.width()) * sizeof(std::uint32_t)});
    }
    std::uint32_t *bits = surface.Row(0);
    const std::size_t pixels = std::size_t(surface.Width()) * surface.Height();
    for (auto _ : state) {
        std::fill_n(bits, pixels, 0u);
        for (const TRowCopy &row : rows)
            std::memcpy(row.dest, row.source, row.bytes);
        benchmark::DoNotOptimize(bits);
        benchmark::ClobberMemory();
    }
}

bool EngineFrameIsExact()
{
    THotelScene &scene = Scene();
    scene.Surface().Fill(0);
    scene.Engine.Draw();
    QImage expected(scene.Surface().Width(), scene.Surface().Height(), QImage::Format_RGB32);
    expected.fill(0);
    ReferenceRender(expected, scene.Engine.Root());
    return scene.Surface().Image() == expected;
}

class TCollectingReporter : public benchmark::ConsoleReporter
{
public:
    // Keeps the median CPU time of the repetitions: the machine may be shared, and CPU time
    // leaves out the time other programs hold the processor.
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                Microseconds[run.run_name.function_name] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> Microseconds;
};

} // namespace

int main(int argc, char **argv)
{
    using TFrame = void (*)(benchmark::State &);
    const std::pair<const char *, TFrame> frames[] = {
        {"engine", EngineFrame}, {"qpainter", QPainterFrame}, {"floor", FloorFrame}};
    for (const auto &[name, frame] : frames)
        benchmark::RegisterBenchmark(name, frame)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    benchmark::Initialize(&argc, argv);
    TCollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double engine = reporter.Microseconds["engine"];
    const double painter = reporter.Microseconds["qpainter"];
    const double floor = reporter.Microseconds["floor"];
    std::printf("median CPU microseconds per frame: engine %.1f qpainter %.1f floor %.1f\n", engine,
                painter, floor);
    std::printf("engine/floor %.2f qpainter/engine %.2f exact %s\n", engine / floor,
                painter / engine, EngineFrameIsExact() ? "yes" : "no");
    return 0;
}
