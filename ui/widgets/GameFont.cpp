#include "ui/widgets/GameFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// Debian's fonts-liberation2 package puts the faces here (fonts-liberation,
// the older release, in the second place); loading the files directly keeps
// the font configuration from substituting another family.
const char *const kFontFiles[][2] = {
    {"/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
     "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"},
    {"/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf",
     "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"},
};

struct LoadedFont
{
    bool loaded = false;
    QString family;
};

LoadedFont &Loaded()
{
    static LoadedFont font = [] {
        LoadedFont result;
        result.loaded = true;
        for (const auto &candidates : kFontFiles) {
            QString family;
            for (const char *file : candidates) {
                const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
                const QStringList families = QFontDatabase::applicationFontFamilies(id);
                if (id >= 0 && !families.isEmpty()) {
                    family = families.first();
                    break;
                }
            }
            if (family.isEmpty())
                result.loaded = false;
            else
                result.family = family;
        }
        if (result.family.isEmpty())
            result.family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        return result;
    }();
    return font;
}

} // namespace

bool LoadGameFont()
{
    return Loaded().loaded;
}

QString GameFontFamily()
{
    return Loaded().family;
}

QFont GameFont(int pixelSize, bool bold)
{
    QFont font(GameFontFamily());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    // Full hinting and grey-scale anti-aliasing whatever the desktop prefers,
    // so that the same text gives the same pixels everywhere.
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(
        QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}
