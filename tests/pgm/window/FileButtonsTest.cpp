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

} // namespace

// A save that fails is reported and leaves what was there; bad files are reported and change nothing; a firmware
// file in demo mode is taken without the icon.
TEST(FileButtons, SavingWritesTheKnownFileAndBadFilesAreReportedAndChangeNothing)
{
    QTemporaryDir dir;
    auto h = FormHarness::started();
    h->find<QLineEdit>("eInfo")->setText(QStringLiteral("Default"));
    const Bytes image = h->image();
    const QString other = dir.filePath("other.ktc"), corrupt = dir.filePath("corrupt.ktp"), fw = dir.filePath("fw.ktp");
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.ktc"));
    ASSERT_TRUE(writeTextLines(other, {"XYZ0000", "00"}).isEmpty());
    QStringList lines = makeFirmwareText(std::vector<std::uint8_t>(300, 9), 300, 5);
    ASSERT_TRUE(writeTextLines(fw, lines).isEmpty());
    lines[1][0] = lines[1][0] == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    ASSERT_TRUE(writeTextLines(corrupt, lines).isEmpty());
    h->platform.fileAnswers = {dir.filePath("default.ktc"), dir.filePath("taken.ktc"), other, corrupt,
                               dir.filePath("missing.ktc"), std::nullopt, fw};
    h->click("bSave");
    QFile saved(dir.filePath("default.ktc"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), (factoryFile.join("\r\n") + "\r\n").toLatin1());
    h->click("bSave");
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.ktc")).isDir());
    for (int i = 0; i < 4; ++i)
        h->click("bLoad");
    EXPECT_EQ(h->platform.fileDialogTitles, (QStringList{"Configuration Save", "Configuration Save", "Open File",
                                                         "Open File", "Open File", "Open File"}));
    EXPECT_EQ(h->platform.fileDialogFilters.first(), "Configuration files (*.ktc)");
    EXPECT_EQ(h->platform.fileDialogFilters.last(), "Configuration files (*.ktc);;Firmware files (*.ktp)");
    EXPECT_EQ(h->platform.fileDialogSuffixes.first(), "ktc");
    ASSERT_EQ(h->platform.messages.size(), 4);
    EXPECT_FALSE(h->platform.messages[0].isEmpty() || h->platform.messages[3].isEmpty()) << "the platform's errors";
    EXPECT_EQ(h->platform.messages[1], "Not a configuration or firmware file!");
    EXPECT_EQ(h->platform.messages[2], "File is corrupted!");
    EXPECT_EQ(h->image(), image);
    EXPECT_FALSE(h->state().firmware.fwUpdatePending);

    h->click("bLoad");
    EXPECT_TRUE(h->state().firmware.fwUpdatePending);
    EXPECT_EQ(h->state().firmware.fwLength, 300);
    EXPECT_FALSE(h->shown("iFW"));
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
