#include "scene/PictureList.h"

#include <QImage>
#include <stdexcept>

namespace {

struct TPictureSetting
{
    const char *name;
    int patternWidth;
    int patternHeight;
    bool transparent;
};

// The game's pictures in their fixed order; the occupant alone has a colour key.
constexpr TPictureSetting Settings[] = {
    {"Room01", 50, 50, false},  {"Room02", 100, 50, false}, {"Room03", 150, 50, false},
    {"Room04", 50, 50, false},  {"Room05", 100, 50, false}, {"Floor", 0, 0, false},
    {"Stuff", 0, 0, false},     {"Stuff01", 0, 0, false},   {"Stuff02", 0, 0, false},
    {"Stuff03", 0, 0, false},   {"Stuff04", 0, 0, false},   {"Station01", 0, 0, false},
    {"Station02", 0, 0, false}, {"Station03", 0, 0, false}, {"Micky", 50, 50, true},
};

} // namespace

void TPictureList::LoadStandard()
{
    TPictureItems items;
    for (const TPictureSetting &setting : Settings) {
        TPictureItem &item = items.Add();
        item.Name = QString::fromLatin1(setting.name);
        item.PatternWidth = setting.patternWidth;
        item.PatternHeight = setting.patternHeight;
        const QString path = QStringLiteral(":/sprites/%1.bmp").arg(item.Name);
        if (!item.Picture.load(path, "BMP"))
            throw std::runtime_error("Cannot read picture " + path.toStdString());
        item.Transparent = setting.transparent;
        item.TransparentColor = setting.transparent ? qRgb(102, 0, 0) : qRgb(0, 0, 0);
    }
    Items = std::move(items);
}

void TPictureList::SceneViewInitialized(TDrawSurface &surface)
{
    (void)surface;
    for (int i = 0; i < Items.Count(); ++i)
        Items.Item(i).Initialize();
}

void TPictureList::SceneViewFinalized()
{
    for (int i = 0; i < Items.Count(); ++i)
        Items.Item(i).Finalize();
}
