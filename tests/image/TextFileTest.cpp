#include "image/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace nolt {
namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void putBytes(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(data), data.size());
}

TEST(TextLines, SplitsAtCrLfAndLf)
{
    const struct {
        QByteArray text;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb\n", {"a", "", "b"}},
        {"a\rb\r\n", {"a\rb"}},
        {"x\r", {"x\r"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitTextLines(c.text), c.lines) << c.text.toStdString();
}

TEST(TextLines, EightBitCharactersAreLatin1)
{
    const QByteArray text("\xE9t\xE9\r\n\x00\xFF\x80", 8);
    const QStringList lines = splitTextLines(text);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QString::fromUtf8("\u00E9t\u00E9"));
    ASSERT_EQ(lines[1].size(), 3);
    EXPECT_EQ(lines[1][0].unicode(), 0x00);
    EXPECT_EQ(lines[1][1].unicode(), 0xFF);
    EXPECT_EQ(lines[1][2].unicode(), 0x80);
}

TEST(TextFile, WritesCrLfLinesAndReadsThemBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cfg.ktc");
    const QStringList lines = {"MMN8A1C", "", QString::fromUtf8("Caf\u00E9")};
    ASSERT_EQ(writeTextLines(path, lines), "");
    EXPECT_EQ(fileBytes(path), QByteArray("MMN8A1C\r\n\r\nCaf\xE9\r\n"));
    const TextFileRead r = readTextLines(path);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.lines, lines);

    // Replacing a longer file leaves nothing of it behind.
    ASSERT_EQ(writeTextLines(path, {"x"}), "");
    EXPECT_EQ(fileBytes(path), QByteArray("x\r\n"));
}

TEST(TextFile, UnreadableFilesReportThePlatformError)
{
    QTemporaryDir dir;
    for (const QString& path : {dir.filePath("missing.ktc"), dir.path()}) {
        const TextFileRead r = readTextLines(path);
        EXPECT_FALSE(r.ok) << path.toStdString();
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_TRUE(r.lines.isEmpty());
    }
}

TEST(TextFile, HugeFilesAreRefused)
{
    QTemporaryDir dir;
    const QString atLimit = dir.filePath("limit.txt");
    putBytes(atLimit, QByteArray(maxTextFileSize, '\n'));
    const TextFileRead ok = readTextLines(atLimit);
    ASSERT_TRUE(ok.ok);
    EXPECT_EQ(ok.lines.size(), maxTextFileSize);

    const QString tooBig = dir.filePath("big.txt");
    putBytes(tooBig, QByteArray(maxTextFileSize + 1, 'A'));
    const TextFileRead r = readTextLines(tooBig);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
}

TEST(TextFile, FailedSaveReportsAndCreatesNothing)
{
    QTemporaryDir dir;
    const QString nowhere = dir.filePath("no/such/folder/cfg.ktc");
    EXPECT_FALSE(writeTextLines(nowhere, {"a"}).isEmpty());
    EXPECT_FALSE(QFile::exists(nowhere));
}

TEST(TextFile, FailedSaveKeepsTheOldFile)
{
    // A name so long that the temporary file beside it cannot be created.
    QTemporaryDir dir;
    const QString path = dir.filePath(QString(250, u'a') + ".ktc");
    putBytes(path, "old\r\n");
    EXPECT_FALSE(writeTextLines(path, {"new"}).isEmpty());
    EXPECT_EQ(fileBytes(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

} // namespace
} // namespace nolt
