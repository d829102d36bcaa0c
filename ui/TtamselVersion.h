#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <utility>

// The query prefix of a version block's strings: "\StringFileInfo\", the
// language and the code page as four upper-case hexadecimal digits each, "\".
QString StringFileInfoPrefix(std::uint16_t language, std::uint16_t codePage);

// The caption of the build label: "Build: " followed by the file version.
QString BuildCaption(const QString &versionText);

// A program's version block, queried by path as on the platform that carries
// one inside the program file. Linux programs carry none: OfThisProgram builds
// the block from the build's own metadata (the project version and
// description) compiled into the program.
class TVersionBlock
{
public:
    // A program file without a version block.
    TVersionBlock() = default;
    static TVersionBlock OfThisProgram();

    bool IsEmpty() const { return !translation_.has_value(); }

    // The first entry of "\VarFileInfo\Translation".
    std::optional<std::pair<std::uint16_t, std::uint16_t>> Translation() const
    {
        return translation_;
    }
    void SetTranslation(std::uint16_t language, std::uint16_t codePage);

    // Stores a string under the prefix of the translation set before.
    void SetString(const QString &name, const QString &value);

    // The value at a full query path such as "\StringFileInfo\040904B0\FileVersion".
    std::optional<QString> Query(const QString &path) const;

private:
    std::optional<std::pair<std::uint16_t, std::uint16_t>> translation_;
    QMap<QString, QString> strings_;
};

// The twelve standard version strings, each empty until filled and at most 255
// characters.
class TInfoName
{
public:
    QString Comments;
    QString CompanyName;
    QString FileDescription;
    QString FileVersion;
    QString InternalName;
    QString LegalCopyRight;
    QString LegalTrademarks;
    QString OriginalFilename;
    QString PrivateBuild;
    QString ProductName;
    QString ProductVersion;
    QString SpecialBuild;
};

// The paths of the special folders, by the shell's folder numbers, mapped to
// the freedesktop user directories. A folder that has no path here (control
// panel, printers, recycle bin, drives, network) answers an empty text; a
// number outside the table is an error.
class TSystemFolders
{
public:
    // Throws std::invalid_argument for a folder number the table lacks.
    QString GetByIndex(int number) const;

    QString WinDesktop() const { return GetByIndex(0); }
    QString ProgramFiles() const { return GetByIndex(2); }
    QString ControlPanel() const { return GetByIndex(3); }
    QString Printers() const { return GetByIndex(4); }
    QString Documents() const { return GetByIndex(5); }
    QString StartUP() const { return GetByIndex(7); }
    QString Recent() const { return GetByIndex(8); }
    QString SendTO() const { return GetByIndex(9); }
    QString RecycleBin() const { return GetByIndex(10); }
    QString StartMenu() const { return GetByIndex(11); }
    QString DesktopDir() const { return GetByIndex(16); }
    QString MyCopyter() const { return GetByIndex(17); }
    QString NetworkNeight() const { return GetByIndex(18); }
    QString NetworkObject() const { return GetByIndex(19); }
    QString FontFolder() const { return GetByIndex(20); }
    QString Templates() const { return GetByIndex(21); }
};

// The program's version information, read once at creation.
class TtamselVersion : public QObject
{
    Q_OBJECT
public:
    explicit TtamselVersion(QObject *owner = nullptr);
    // Reads the given block instead of the program's own.
    TtamselVersion(const TVersionBlock &block, QObject *owner = nullptr);

    const TInfoName &Info() const { return info_; }
    const TSystemFolders &SystemFolders() const { return systemFolders_; }

private:
    void ReadVersionBlock(const TVersionBlock &block);

    TInfoName info_;
    TSystemFolders systemFolders_;
};
