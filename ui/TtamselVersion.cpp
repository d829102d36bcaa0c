#include "ui/TtamselVersion.h"

#include "ui/TamselBuildInfo.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <stdexcept>

namespace {

constexpr int kMaxInfoLength = 255;

// The version queries of the platform that has them ignore the case of names.
QString Key(const QString &path)
{
    return path.toLower();
}

// The templates folder of the freedesktop user directories, which Qt does not
// name: XDG_TEMPLATES_DIR in user-dirs.dirs, else ~/Templates.
QString TemplatesFolder()
{
    const QString home = QDir::homePath();
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/user-dirs.dirs");
    QFile file(config);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        static const QRegularExpression line(QStringLiteral(R"re(^XDG_TEMPLATES_DIR="(.*)"$)re"));
        while (!file.atEnd()) {
            const QString text = QString::fromUtf8(file.readLine()).trimmed();
            const QRegularExpressionMatch match = line.match(text);
            if (!match.hasMatch())
                continue;
            QString path = match.captured(1);
            path.replace(QStringLiteral("$HOME"), home);
            if (QDir::isAbsolutePath(path))
                return QDir::cleanPath(path);
        }
    }
    return home + QStringLiteral("/Templates");
}

QString Location(QStandardPaths::StandardLocation location)
{
    return QStandardPaths::writableLocation(location);
}

} // namespace

QString StringFileInfoPrefix(std::uint16_t language, std::uint16_t codePage)
{
    return QString::asprintf("\\StringFileInfo\\%04X%04X\\", unsigned(language),
                             unsigned(codePage));
}

QString BuildCaption(const QString &versionText)
{
    return QStringLiteral("Build: ") + versionText;
}

TVersionBlock TVersionBlock::OfThisProgram()
{
    TVersionBlock block;
    block.SetTranslation(0x0409, 0x04B0); // US English, Unicode
    block.SetString(QStringLiteral("Comments"), QStringLiteral(TAMSEL_COMMENTS));
    block.SetString(QStringLiteral("CompanyName"), QStringLiteral(TAMSEL_COMPANY_NAME));
    block.SetString(QStringLiteral("FileDescription"), QStringLiteral(TAMSEL_FILE_DESCRIPTION));
    block.SetString(QStringLiteral("FileVersion"), QStringLiteral(TAMSEL_FILE_VERSION));
    block.SetString(QStringLiteral("InternalName"), QStringLiteral(TAMSEL_INTERNAL_NAME));
    block.SetString(QStringLiteral("LegalCopyright"), QStringLiteral(TAMSEL_LEGAL_COPYRIGHT));
    block.SetString(QStringLiteral("OriginalFilename"), QStringLiteral(TAMSEL_ORIGINAL_FILENAME));
    block.SetString(QStringLiteral("ProductName"), QStringLiteral(TAMSEL_PRODUCT_NAME));
    block.SetString(QStringLiteral("ProductVersion"), QStringLiteral(TAMSEL_PRODUCT_VERSION));
    return block;
}

void TVersionBlock::SetTranslation(std::uint16_t language, std::uint16_t codePage)
{
    translation_ = std::make_pair(language, codePage);
}

void TVersionBlock::SetString(const QString &name, const QString &value)
{
    if (!translation_)
        throw std::logic_error("A version string needs a translation first");
    strings_.insert(Key(StringFileInfoPrefix(translation_->first, translation_->second) + name),
                    value);
}

std::optional<QString> TVersionBlock::Query(const QString &path) const
{
    const auto found = strings_.constFind(Key(path));
    if (found == strings_.constEnd())
        return std::nullopt;
    return *found;
}

QString TSystemFolders::GetByIndex(int number) const
{
    switch (number) {
    case 0:  // desktop
    case 16: // desktop directory
        return Location(QStandardPaths::DesktopLocation);
    case 2:  // start menu programs
    case 11: // start menu
        return Location(QStandardPaths::ApplicationsLocation);
    case 5:
        return Location(QStandardPaths::DocumentsLocation);
    case 7: // programs started at log-in
        return Location(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
    case 20:
        return Location(QStandardPaths::FontsLocation);
    case 21:
        return TemplatesFolder();
    case 3:  // control panel
    case 4:  // printers
    case 8:  // recent documents: a list file here, not a folder
    case 9:  // send-to targets
    case 10: // recycle bin
    case 17: // drives
    case 18: // network
    case 19: // network shortcuts
        return {};
    default:
        throw std::invalid_argument("No special folder has the number " + std::to_string(number));
    }
}

TtamselVersion::TtamselVersion(QObject *owner)
    : TtamselVersion(TVersionBlock::OfThisProgram(), owner)
{
}

TtamselVersion::TtamselVersion(const TVersionBlock &block, QObject *owner) : QObject(owner)
{
    ReadVersionBlock(block);
}

void TtamselVersion::ReadVersionBlock(const TVersionBlock &block)
{
    const auto translation = block.Translation();
    if (block.IsEmpty() || !translation)
        return;
    const QString prefix = StringFileInfoPrefix(translation->first, translation->second);
    const std::pair<const char *, QString TInfoName::*> names[] = {
        {"Comments", &TInfoName::Comments},
        {"CompanyName", &TInfoName::CompanyName},
        {"FileDescription", &TInfoName::FileDescription},
        {"FileVersion", &TInfoName::FileVersion},
        {"InternalName", &TInfoName::InternalName},
        {"LegalCopyRight", &TInfoName::LegalCopyRight},
        {"LegalTrademarks", &TInfoName::LegalTrademarks},
        {"OriginalFilename", &TInfoName::OriginalFilename},
        {"PrivateBuild", &TInfoName::PrivateBuild},
        {"ProductName", &TInfoName::ProductName},
        {"ProductVersion", &TInfoName::ProductVersion},
        {"SpecialBuild", &TInfoName::SpecialBuild},
    };
    for (const auto &[name, field] : names) {
        if (const auto value = block.Query(prefix + QLatin1String(name)))
            info_.*field = value->left(kMaxInfoLength);
    }
}
