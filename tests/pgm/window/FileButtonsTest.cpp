// "Save" and "Load": configuration and firmware files through the platform's dialogs.

#include "Harness.h"

#include "image/FirmwareText.h"
#include "image/TextFile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

using namespace nolt;
using namespace nolt::test;

namespace {

// The factory image named "Default", one line per entry.
const QStringList factoryFile = {"MMN8A1CDefault",
                                 "0C000064FF0000000000320000FF0000",
                                 "FF0000FF0000FF0000FF0000FF0000FF",
                                 "0000FF0000FFE800323C00640000FF00",
                                 "00FF0000FF0000FF0000FF0000FF0000",
                                 "FF0000FF01FF00000000000000000000",
                                 "000000000000000001000000000000FF"};

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// Save and load again; a save that fails is reported and leaves what was there.
TEST(FileButtons, SavingTheFactoryImageWritesTheKnownFile)
{
    QTemporaryDir dir;
    auto h = FormHarness::started({"-copyAstro"});
    h->find<QLineEdit>("eInfo")->setText(QStringLiteral("Default"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.ktc"));
    h->platform.fileAnswers = {dir.filePath("default.ktc"), dir.filePath("mine"), dir.filePath("mine"),
                               dir.filePath("taken.ktc")};
    h->click("bSave");
    EXPECT_EQ(h->platform.fileDialogTitles, QStringList{"Configuration Save"});
    EXPECT_EQ(h->platform.fileDialogFilters, QStringList{"Configuration files (*.ktc)"});
    EXPECT_EQ(h->platform.fileDialogSuffixes, QStringList{"ktc"});
    EXPECT_EQ(contents(dir.filePath("default.ktc")), (factoryFile.join("\r\n") + "\r\n").toLatin1());

    Bytes saved = h->image();
    for (int i = 0; i < 96; ++i)
        saved[i] = static_cast<std::uint8_t>(3 * i);
    h->image() = saved;
    h->find<QLineEdit>("eInfo")->setText(QStringLiteral("ABCDEFGHIJ"));
    h->click("bSave");
    std::fill(h->image().begin(), h->image().end(), 0x01);
    h->click("bLoad");
    EXPECT_EQ(h->platform.fileDialogTitles.last(), "Open File");
    EXPECT_EQ(h->platform.fileDialogFilters.last(), "Configuration files (*.ktc);;Firmware files (*.ktp)");
    EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 96, h->image().begin()));
    EXPECT_EQ(Bytes(h->image().begin() + 96, h->image().end()), Bytes(32, 0xFF));
    EXPECT_EQ(h->find<QLineEdit>("eInfo")->text(), "ABCDEFGH");
    EXPECT_TRUE(h->platform.messages.isEmpty());

    h->click("bSave");
    EXPECT_EQ(h->platform.messages.size(), 1);
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.ktc")).isDir());
}

// Files that other editors wrote: a byte-order mark, lone CR line ends.
TEST(FileButtons, FilesWithAByteOrderMarkOrCrLineEndsLoad)
{
    const QString text = factoryFile.join("\r") + "\r";
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    const QByteArray files[] = {text.toLatin1(), "\xEF\xBB\xBF" + QString(text).replace("\r", "\r\n").toUtf8(),
                                utf16(text)};
    for (const QByteArray& file : files) {
        QTemporaryDir dir;
        QFile f(dir.filePath("other.ktc"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
        f.close();
        auto h = FormHarness::started();
        std::fill(h->image().begin(), h->image().end(), 0x01);
        h->platform.fileAnswers = {f.fileName()};
        h->click("bLoad");
        EXPECT_TRUE(h->platform.messages.isEmpty()) << file.toHex().toStdString();
        EXPECT_TRUE(std::equal(defaultImage.begin(), defaultImage.begin() + 96, h->image().begin()));
        EXPECT_EQ(h->find<QLineEdit>("eInfo")->text(), "Default");
    }
}

// Bad files are reported and change nothing; a firmware file in demo mode is taken without the icon.
TEST(FileButtons, BadFilesAreReportedAndChangeNothing)
{
    QTemporaryDir dir;
    auto h = FormHarness::started();
    const Bytes image = h->image();
    const QString other = dir.filePath("other.ktc"), corrupt = dir.filePath("corrupt.ktp"), fw = dir.filePath("fw.ktp");
    ASSERT_TRUE(writeTextLines(other, {"XYZ0000", "00"}).isEmpty());
    QStringList lines = makeFirmwareText(std::vector<std::uint8_t>(300, 9), 300, 5);
    ASSERT_TRUE(writeTextLines(fw, lines).isEmpty());
    lines[1][0] = lines[1][0] == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    ASSERT_TRUE(writeTextLines(corrupt, lines).isEmpty());
    h->platform.fileAnswers = {other, corrupt, dir.filePath("missing.ktc"), std::nullopt};
    for (int i = 0; i < 4; ++i)
        h->click("bLoad");
    ASSERT_EQ(h->platform.messages.size(), 3);
    EXPECT_EQ(h->platform.messages[0], "Not a configuration or firmware file!");
    EXPECT_EQ(h->platform.messages[1], "File is corrupted!");
    EXPECT_FALSE(h->platform.messages[2].isEmpty()) << "the platform's own error";
    EXPECT_EQ(h->image(), image);
    EXPECT_FALSE(h->state().firmware.fwUpdatePending);

    h->platform.fileAnswers = {fw};
    h->click("bLoad");
    const FirmwareState& firmware = h->state().firmware;
    EXPECT_TRUE(firmware.fwUpdatePending);
    EXPECT_EQ(firmware.fwLength, 300);
    EXPECT_EQ(firmware.fwImageVersion, 5);
    EXPECT_FALSE(h->shown("iFW"));
}
