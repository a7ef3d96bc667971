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

// Lines end at CR LF, LF or a lone CR; a byte-order mark decodes UTF-8 or
// UTF-16 and is dropped, as spreadsheet programs and editors write them.
TEST(TextLines, SplitAtEveryLineEndAndDecodeByteOrderMarks)
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
        {"a\rb\r", {"a", "b"}},
        {"a\n\rb\r\r", {"a", "", "b", ""}},
        // 8-bit characters are Latin-1, NUL included.
        {QByteArray("\xE9\r\n\x00\xFF\x80", 6),
         {QString(QChar(0xE9)), QString::fromLatin1("\0\xFF\x80", 3)}},
        {"\xEF\xBB\xBFMMN\xC3\xA9\r1", {"MMN\u00E9", "1"}},
        {"\xEF\xBB\xBF", {}},
        {QByteArray("\xFF\xFEM\0\xE9\0\r\0\n\0" "7\0", 12), {"M\u00E9", "7"}},
        {QByteArray("\xFE\xFF\0F\0\r\0" "5", 8), {"F", "5"}},
        // A mark only counts at the very start.
        {"x\xEF\xBB\xBF", {QString::fromLatin1("x\xEF\xBB\xBF")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitTextLines(c.text), c.lines) << c.text.toHex().toStdString();
}

// Replacing a longer file leaves nothing of it behind; missing, unreadable and huge files are refused
// with their error. A save goes through a temporary file beside the target: when it fails, the old
// file stays and nothing else is left.
TEST(TextFile, WritesCrLfLinesReadsThemBackAndRefusesWhatItCannot)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cfg.ktc");
    const QStringList lines = {"MMN8A1C", "", QString::fromUtf8("Caf\u00E9")};
    ASSERT_EQ(writeTextLines(path, lines), "");
    EXPECT_EQ(fileBytes(path), QByteArray("MMN8A1C\r\n\r\nCaf\xE9\r\n"));
    const TextFileRead back = readTextLines(path);
    EXPECT_TRUE(back.ok);
    EXPECT_EQ(back.lines, lines);
    ASSERT_EQ(writeTextLines(path, {"x"}), "");
    EXPECT_EQ(fileBytes(path), QByteArray("x\r\n"));

    const QString tooBig = dir.filePath("big.txt");
    putBytes(tooBig, QByteArray(maxTextFileSize + 1, 'A'));
    for (const QString& refused : {dir.filePath("missing.ktc"), dir.path(), tooBig}) {
        const TextFileRead r = readTextLines(refused);
        EXPECT_FALSE(r.ok || r.error.isEmpty() || !r.lines.isEmpty()) << refused.toStdString();
    }

    const QString nowhere = dir.filePath("no/such/folder/cfg.ktc");
    EXPECT_FALSE(writeTextLines(nowhere, {"a"}).isEmpty());
    EXPECT_FALSE(QFile::exists(nowhere));
    // A name so long that the temporary file beside it cannot be created.
    const QString longName = dir.filePath(QString(250, u'a') + ".ktc");
    putBytes(longName, "old\r\n");
    EXPECT_FALSE(writeTextLines(longName, {"new"}).isEmpty());
    EXPECT_EQ(fileBytes(longName), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

} // namespace
} // namespace nolt
