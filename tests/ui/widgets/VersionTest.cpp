#include "ui/TtamselVersion.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(Version, QueryPrefixHasTheLanguageAndCodePageInUpperCaseHex)
{
    EXPECT_EQ(StringFileInfoPrefix(0x0809, 0x04E4), QStringLiteral("\\StringFileInfo\\080904E4\\"));
    EXPECT_EQ(StringFileInfoPrefix(0x0409, 0x04B0), QStringLiteral("\\StringFileInfo\\040904B0\\"));
    EXPECT_EQ(StringFileInfoPrefix(0xABCD, 0x0000), QStringLiteral("\\StringFileInfo\\ABCD0000\\"));
}

TVersionBlock BritishBlock()
{
    TVersionBlock block;
    block.SetTranslation(0x0809, 0x04E4);
    block.SetString(QStringLiteral("Comments"), QStringLiteral("comments"));
    block.SetString(QStringLiteral("CompanyName"), QStringLiteral("Tamsel"));
    block.SetString(QStringLiteral("FileDescription"), QStringLiteral("Hotel game"));
    block.SetString(QStringLiteral("FileVersion"), QStringLiteral("2.0.1.7"));
    block.SetString(QStringLiteral("InternalName"), QStringLiteral("tamsel"));
    block.SetString(QStringLiteral("LegalCopyright"), QStringLiteral("(c) Tamsel"));
    block.SetString(QStringLiteral("LegalTrademarks"), QStringLiteral("TM"));
    block.SetString(QStringLiteral("OriginalFilename"), QStringLiteral("tamsel.exe"));
    block.SetString(QStringLiteral("ProductName"), QStringLiteral("Tamsel Hotel"));
    block.SetString(QStringLiteral("ProductVersion"), QStringLiteral("2.0"));
    return block;
}

TEST(Version, ReadsTheStringsUnderTheFirstTranslation)
{
    const TVersionBlock block = BritishBlock();
    EXPECT_EQ(block.Query(QStringLiteral("\\StringFileInfo\\080904E4\\FileVersion")),
              QStringLiteral("2.0.1.7"));
    const TtamselVersion version(block);
    const TInfoName &info = version.Info();
    EXPECT_EQ(info.FileVersion, QStringLiteral("2.0.1.7"));
    EXPECT_EQ(BuildCaption(info.FileVersion), QStringLiteral("Build: 2.0.1.7"));
    EXPECT_EQ(info.Comments, QStringLiteral("comments"));
    EXPECT_EQ(info.CompanyName, QStringLiteral("Tamsel"));
    EXPECT_EQ(info.FileDescription, QStringLiteral("Hotel game"));
    EXPECT_EQ(info.InternalName, QStringLiteral("tamsel"));
    EXPECT_EQ(info.LegalCopyRight, QStringLiteral("(c) Tamsel")); // names ignore case
    EXPECT_EQ(info.LegalTrademarks, QStringLiteral("TM"));
    EXPECT_EQ(info.OriginalFilename, QStringLiteral("tamsel.exe"));
    EXPECT_EQ(info.ProductName, QStringLiteral("Tamsel Hotel"));
    EXPECT_EQ(info.ProductVersion, QStringLiteral("2.0"));
    // The block lacks exactly these two.
    EXPECT_TRUE(info.PrivateBuild.isEmpty());
    EXPECT_TRUE(info.SpecialBuild.isEmpty());
}

TEST(Version, NoVersionBlockLeavesEveryStringEmpty)
{
    const TtamselVersion version{TVersionBlock()};
    const TInfoName &info = version.Info();
    for (const QString *text :
         {&info.Comments, &info.CompanyName, &info.FileDescription, &info.FileVersion,
          &info.InternalName, &info.LegalCopyRight, &info.LegalTrademarks, &info.OriginalFilename,
          &info.PrivateBuild, &info.ProductName, &info.ProductVersion, &info.SpecialBuild})
        EXPECT_TRUE(text->isEmpty());
    EXPECT_EQ(BuildCaption(info.FileVersion), QStringLiteral("Build: "));
}

TEST(Version, StringsUnderAnotherTranslationAreNotRead)
{
    TVersionBlock block;
    block.SetTranslation(0x0409, 0x04B0);
    block.SetString(QStringLiteral("FileVersion"), QStringLiteral("1.2.3.4"));
    block.SetTranslation(0x0809, 0x04E4); // the first entry now names another table
    EXPECT_TRUE(TtamselVersion(block).Info().FileVersion.isEmpty());
}

TEST(Version, StringsKeepAtMost255Characters)
{
    TVersionBlock block;
    block.SetTranslation(0x0409, 0x04B0);
    block.SetString(QStringLiteral("Comments"), QString(300, QLatin1Char('x')));
    EXPECT_EQ(TtamselVersion(block).Info().Comments, QString(255, QLatin1Char('x')));
}

TEST(Version, ThisProgramCarriesTheBuildsFourPartVersion)
{
    const TtamselVersion version;
    EXPECT_EQ(version.Info().FileVersion, QStringLiteral(TAMSEL_EXPECTED_FILE_VERSION));
    EXPECT_EQ(version.Info().FileVersion.count(QLatin1Char('.')), 3);
    EXPECT_EQ(version.Info().ProductName, QStringLiteral("Tamsel Hotel"));
    EXPECT_FALSE(version.Info().FileDescription.isEmpty());
    EXPECT_TRUE(version.Info().PrivateBuild.isEmpty());
    EXPECT_TRUE(version.Info().SpecialBuild.isEmpty());
}

TEST(Version, FoldersMapToTheUserDirectories)
{
    const TSystemFolders &folders = TtamselVersion(TVersionBlock()).SystemFolders();
    using SP = QStandardPaths;
    EXPECT_EQ(folders.Documents(), SP::writableLocation(SP::DocumentsLocation));
    EXPECT_EQ(folders.DesktopDir(), SP::writableLocation(SP::DesktopLocation));
    EXPECT_EQ(folders.WinDesktop(), SP::writableLocation(SP::DesktopLocation));
    EXPECT_EQ(folders.StartMenu(), SP::writableLocation(SP::ApplicationsLocation));
    EXPECT_EQ(folders.ProgramFiles(), SP::writableLocation(SP::ApplicationsLocation));
    EXPECT_EQ(folders.FontFolder(), SP::writableLocation(SP::FontsLocation));
    EXPECT_TRUE(folders.StartUP().endsWith(QStringLiteral("/autostart")));
    for (int number : {3, 4, 8, 9, 10, 17, 18, 19})
        EXPECT_TRUE(folders.GetByIndex(number).isEmpty()) << number;
    for (int number : {-1, 1, 6, 12, 22, 100})
        EXPECT_THROW(folders.GetByIndex(number), std::invalid_argument) << number;
}

TEST(Version, TemplatesFolderComesFromTheUserDirsFile)
{
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const TSystemFolders folders;
    EXPECT_EQ(folders.Templates(), QDir::homePath() + QStringLiteral("/Templates"));
    {
        QFile file(config.path() + QStringLiteral("/user-dirs.dirs"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("# written by xdg-user-dirs-update\n"
                   "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                   "XDG_TEMPLATES_DIR=\"$HOME/Vorlagen\"\n");
    }
    EXPECT_EQ(folders.Templates(), QDir::homePath() + QStringLiteral("/Vorlagen"));
    if (oldConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
}

} // namespace
