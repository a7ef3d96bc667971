// "Save" and "Load": configuration and firmware files through the platform's dialogs.

#include "Harness.h"

#include "support/FirmwareTexts.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

// The factory image named "Default", one line per entry.
const QStringList factoryFile = {"MMN8A1CDefault", "0C000064FF0000000000320000FF0000",
                                 "FF0000FF0000FF0000FF0000FF0000FF", "0000FF0000FFE800323C00640000FF00",
                                 "00FF0000FF0000FF0000FF0000FF0000", "FF0000FF01FF00000000000000000000",
                                 "000000000000000001000000000000FF"};

// The factory image saves as the known file (its name "Default" loaded with it: the info edit shows only in
// driver mode); a save that fails and a file that cannot be read are reported and leave what was there.
TEST(FileButtons, SavingTheFactoryImageWritesTheKnownFile)
{
    QTemporaryDir dir;
    auto h = FormHarness::started();
    QFile known(dir.filePath("known.ktc"));
    ASSERT_TRUE(known.open(QIODevice::WriteOnly) && known.write(factoryFile.join("\n").toLatin1()) > 0 && known.flush());
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.ktc"));
    h->platform.fileAnswers = {known.fileName(), dir.filePath("default.ktc"), dir.filePath("taken.ktc"),
                               dir.filePath("no.ktc"), std::nullopt};
    h->click("bLoad");
    h->click("bSave");
    QFile saved(dir.filePath("default.ktc"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), (factoryFile.join("\r\n") + "\r\n").toLatin1());
    h->click("bSave");
    h->image()[0] = 0x01;
    h->click("bLoad");
    h->click("bLoad");
    EXPECT_TRUE(h->platform.messages.size() == 2 && h->image()[0] == 0x01);
    EXPECT_EQ(h->platform.fileDialogFilters.last(), "Configuration files (*.ktc);;Firmware files (*.ktp)");
}

// Files that other editors wrote (a byte-order mark, lone CR line ends) load; bad files are reported and change
// nothing; a firmware file in demo mode is taken without the icon.
TEST(FileButtons, FilesWithAByteOrderMarkOrCrLineEndsLoad)
{
    const QString text = factoryFile.join("\r") + "\r";
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const QStringList firmware = firmware200();
    QStringList corrupt = firmware;
    corrupt[1][0] = corrupt[1][0] == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    const struct {
        QByteArray file;
        const char* message;
        bool firmware = false;
    } rows[] = {
        {text.toLatin1(), ""},
        {"\xEF\xBB\xBF" + QString(text).replace("\r", "\r\n").toUtf8(), ""},
        {utf16(text), ""},
        {"XYZ0000\r\n00\r\n", "Not a configuration or firmware file!"},
        {corrupt.join("\n").toLatin1(), "File is corrupted!"},
        {firmware.join("\n").toLatin1(), "", true},
    };
    for (const auto& row : rows) {
        QTemporaryDir dir;
        QFile f(dir.filePath("other.ktc"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(row.file) == row.file.size() && f.flush());
        auto h = FormHarness::started();
        std::fill(h->image().begin(), h->image().end(), 0x01);
        h->platform.fileAnswers = {f.fileName()};
        h->click("bLoad");
        EXPECT_EQ(h->platform.messages, *row.message ? QStringList{row.message} : QStringList()) << row.message;
        EXPECT_EQ(h->state().firmware.fwUpdatePending, row.firmware);
        const bool configuration = !*row.message && !row.firmware;
        EXPECT_EQ(std::equal(defaultImage.begin(), defaultImage.begin() + 96, h->image().begin()), configuration);
        EXPECT_EQ(h->image()[0] == 0x01, !configuration) << "a bad file changes nothing";
        EXPECT_EQ(h->text("eInfo"), configuration ? "Default" : "");
        EXPECT_FALSE(h->shown("iFW"));
    }
}

// A loaded configuration shows on the main screen at once: the factory image with a power-on level of 80%.
TEST(FileButtons, LoadedConfigurationShowsAtOnce)
{
    QStringList lines = factoryFile;
    lines[0] = "MMN842FPorch";
    lines[1] = "0C000050FF0000000000320000FF0000";
    QTemporaryDir dir;
    QFile f(dir.filePath("porch.ktc"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(lines.join("\n").toLatin1()) > 0 && f.flush());
    auto h = FormHarness::started();
    EXPECT_EQ(h->text("lPO_Level"), "L=100%");
    h->platform.fileAnswers = {f.fileName()};
    h->click("bLoad");
    EXPECT_TRUE(h->platform.messages.isEmpty());
    EXPECT_EQ(h->text("lPO_Level"), "L=80%");
}
