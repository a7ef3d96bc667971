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

// Lines end at CR LF, LF or a lone CR; 8-bit characters are Latin-1; a byte-order mark at the very start
// decodes UTF-8 or UTF-16 and is dropped. The window's file test loads UTF-8, UTF-16LE and CR files.
TEST(TextLines, SplitAtEveryLineEndAndDecodeByteOrderMarks)
{
    const std::pair<QByteArray, QStringList> cases[] = {
        {"", {}}, {"a\nb", {"a", "b"}}, {"a\n\rb\r\r", {"a", "", "b", ""}},
        {QByteArray("\xE9\r\n\x00\xFF\x80", 6), {QString(QChar(0xE9)), QString::fromLatin1("\0\xFF\x80", 3)}},
        {"\xEF\xBB\xBF", {}}, {QByteArray("\xFE\xFF\0F\0\r\0" "5", 8), {"F", "5"}},
        {"x\xEF\xBB\xBF", {QString::fromLatin1("x\xEF\xBB\xBF")}}};
    for (const auto& [text, lines] : cases)
        EXPECT_EQ(splitTextLines(text), lines) << text.toHex().toStdString();
}

// Replacing a longer file leaves nothing of it behind; missing, unreadable and huge files are refused with their
// error. A save that cannot make its temporary file beside the target leaves the old file and nothing else.
TEST(TextFile, WritesCrLfLinesReadsThemBackAndRefusesWhatItCannot)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cfg.ktc");
    const QStringList lines = {"MMN8A1C", "", QString::fromUtf8("Caf\u00E9")};
    ASSERT_EQ(writeTextLines(path, lines), "");
    EXPECT_EQ(fileBytes(path), QByteArray("MMN8A1C\r\n\r\nCaf\xE9\r\n"));
    EXPECT_EQ(readTextLines(path).lines, lines);
    ASSERT_EQ(writeTextLines(path, {"x"}), "");
    EXPECT_EQ(fileBytes(path), QByteArray("x\r\n"));

    const QString tooBig = dir.filePath("big.txt"); // one byte too many with its line end
    ASSERT_EQ(writeTextLines(tooBig, {QString(maxTextFileSize - 1, u'A')}), "");
    for (const QString& refused : {dir.filePath("missing.ktc"), dir.path(), tooBig}) {
        const TextFileRead r = readTextLines(refused);
        EXPECT_FALSE(r.ok || r.error.isEmpty() || !r.lines.isEmpty()) << refused.toStdString();
    }

    QFile old(dir.filePath(QString(250, u'a') + ".ktc"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old\r\n") == 5 && old.flush());
    EXPECT_FALSE(writeTextLines(old.fileName(), {"new"}).isEmpty());
    EXPECT_EQ(fileBytes(old.fileName()), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

} // namespace
} // namespace nolt
