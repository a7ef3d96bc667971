// End-to-end tests of stick mode: the program's own main block (or the real
// nolt_pgm) with the simulated programming stick loaded as the HID access
// library by name. The stick's identity, its faults and the 256 bytes of
// the driver behind it come from the library's environment; every report
// either way is in the library's log, from which the frames are checked.

#include "E2eRun.h"

#include "image/ConfigImage.h"
#include "image/Crc16.h"
#include "image/FirmwareText.h"
#include "image/TextFile.h"
#include "link/StickLink.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QThread>

using namespace nolt;
using namespace nolt::e2e;

namespace {

using Frame = std::vector<std::uint8_t>;

constexpr int waitMs = 30000;
const QString twelveBlanks(12, QLatin1Char(' '));

// The driver behind the stick: a configuration that differs from the
// factory one where the power-on panel shows it (a fixed delay, level 80),
// then bytes that only a faithful copy keeps, the log last.
Frame driverMemory()
{
    Frame memory(stick::memorySize);
    std::copy(defaultImage.begin(), defaultImage.end(), memory.begin());
    memory[img::poLevel] = 80;
    memory[img::poDelay] = 0;
    for (std::size_t i = defaultImage.size(); i < memory.size(); ++i)
        memory[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return memory;
}

// A run against the stick, its memory seeded.
struct StickRun : E2eRun {
    explicit StickRun(const QString& faults = {}, const QString& id = QStringLiteral("12345678"),
                      const QString& fw = QStringLiteral("72"))
    {
        environment().insert("NOLT_SIM_MODE", "stick");
        environment().insert("NOLT_SIM_STICK_ID", id);
        environment().insert("NOLT_SIM_STICK_FW", fw);
        environment().insert("NOLT_SIM_FAULT", faults);
        seedMemory(driverMemory());
    }

    // Plays the steps in the launcher, the last of them closing the
    // window; true when they were done and the program ended without fault.
    bool play(const QString& steps)
    {
        environment().insert("NOLT_E2E_STEPS_1", steps);
        startLauncher({});
        return waitUntil([&] { return finished(1); }, waitMs) && process().waitForFinished(10000)
            && process().exitStatus() == QProcess::NormalExit && process().exitCode() == 0;
    }

    // Every frame of this command sent to the stick, in order.
    std::vector<Frame> frames(int command) const
    {
        std::vector<Frame> found;
        for (const QString& line : log()) {
            if (line.section(QLatin1Char(' '), 1, 1) != QLatin1String("out"))
                continue;
            const QByteArray bytes = QByteArray::fromHex(line.section(QLatin1Char(' '), 2).toLatin1());
            if (bytes.size() > 2 && std::uint8_t(bytes[0]) == stick::sync0 && std::uint8_t(bytes[1]) == stick::sync1
                && bytes[2] == command)
                found.emplace_back(bytes.begin(), bytes.end());
        }
        return found;
    }

    int replies(char code) const
    {
        const QString in = QStringLiteral(" in B2") + QString::fromLatin1(QByteArray(1, code).toHex().toUpper());
        const QStringList lines = log();
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(in); }));
    }
};

Frame imageOf(const Report& r, const QString& record)
{
    const QByteArray bytes = QByteArray::fromHex(r.value(record + QStringLiteral(".image")).toLatin1());
    return {bytes.begin(), bytes.end()};
}

Frame slice(const Frame& bytes, int from, int count)
{
    return {bytes.begin() + from, bytes.begin() + from + count};
}

// The address of each Write Memory (command 4) or write EE (5) frame, with
// its length, data and CRC checked against the image.
std::vector<int> writtenAddresses(const std::vector<Frame>& frames, const Frame& image)
{
    std::vector<int> addresses;
    for (const Frame& f : frames) {
        const int address = f[5];
        const int length = f[6];
        addresses.push_back(address);
        EXPECT_EQ(length, f[2] == stick::stickWriteMem ? stick::writeChunk : stick::eeChunk);
        EXPECT_EQ(slice(f, 7, length), slice(image, address, length)) << "frame at " << address;
        EXPECT_EQ(f[3] | f[4] << 8, frameCrc(f[5], f[6], f.data() + 7)) << "frame at " << address;
    }
    return addresses;
}

// The index of the first (or last) log line that holds the text; -1 for none.
qsizetype lineWith(const QStringList& log, const QString& text, bool last = false)
{
    qsizetype found = -1;
    for (qsizetype i = 0; i < log.size() && (last || found < 0); ++i)
        if (log[i].contains(text))
            found = i;
    return found;
}

std::vector<int> steps(int from, int step, int to, std::vector<int> repeated = {})
{
    for (int a = from; a <= to; a += step)
        repeated.push_back(a);
    return repeated;
}

// The power-on panel opened from its tile, "Random" ticked, confirmed; then
// "Transfer".
const QString editAndTransfer = QStringLiteral("click:lPO_Level;click:cbRandom;click:bDPC_OK;record;click:bMemStore");

} // namespace

TEST(StickEndToEnd, ReadShowsTheStickAndTransferWritesTheEditedImage)
{
    StickRun run;
    ASSERT_TRUE(run.play("await:Ready...;record;" + editAndTransfer + ";await:->Transfer finished.;record;close"));
    const Report r = run.report(1);
    EXPECT_FALSE(r.contains("error")) << r.value("error").toStdString();

    const QString ready = "USB Stick, Device Nr. 12345678, FW 1.72" + twelveBlanks + "Ready...";
    EXPECT_EQ(r.value("record1.caption"), ready);
    EXPECT_EQ(imageOf(r, "record1"), driverMemory()) << "all 256 bytes are read";
    EXPECT_EQ(r.value("record1.lPO_Level"), "L=80%");
    EXPECT_EQ(r.value("record1.bMemStore.visible"), "1");
    const QStringList captions = run.values(1, "caption");
    EXPECT_EQ(captions.mid(captions.size() - 3), (QStringList{"USB Stick", ready, ready + "->Transfer finished."}));

    const Frame edited = imageOf(r, "record2");
    ASSERT_EQ(edited.size(), std::size_t(stick::memorySize));
    EXPECT_EQ(edited[img::poDelay], img::poDelayRandom) << "the panel edit is in the image";
    EXPECT_EQ(writtenAddresses(run.frames(stick::stickWriteMem), edited), steps(0, 25, 225));
    EXPECT_EQ(writtenAddresses(run.frames(stick::stickWriteEE), edited), steps(0, 12, 108));
    const QStringList log = run.log();
    EXPECT_LT(lineWith(log, " out CAC504", true), lineWith(log, " out CAC505"))
        << "bytes 0..249 first, then the EE area";

    const Frame memory = run.memory();
    ASSERT_EQ(memory.size(), std::size_t(stick::memorySize));
    EXPECT_EQ(slice(memory, 0, 250), slice(edited, 0, 250));
    EXPECT_EQ(slice(memory, 250, 6), slice(driverMemory(), 250, 6)) << "bytes 250..255 are never written";
}

TEST(StickEndToEnd, FiveRefusalsOfAFrameAreRepeatedAndTheWriteGoesOn)
{
    StickRun run(QStringLiteral("refuse@25:5,refuseEE@0x0C:5"));
    ASSERT_TRUE(run.play("await:Ready...;" + editAndTransfer + ";await:->Transfer finished.;close"));
    const Frame edited = imageOf(run.report(1), "record1");
    ASSERT_EQ(edited.size(), std::size_t(stick::memorySize));

    EXPECT_EQ(writtenAddresses(run.frames(stick::stickWriteMem), edited),
              steps(50, 25, 225, {0, 25, 25, 25, 25, 25, 25}));
    EXPECT_EQ(writtenAddresses(run.frames(stick::stickWriteEE), edited), steps(24, 12, 108, {0, 12, 12, 12, 12, 12, 12}));
    EXPECT_EQ(run.replies('U'), 5);
    EXPECT_EQ(run.replies('W'), 5);
    EXPECT_EQ(slice(run.memory(), 0, 250), slice(edited, 0, 250));
}

TEST(StickEndToEnd, SixRefusalsEndTheWriteWithTransferErrorAndATransferAfterwardsCompletes)
{
    StickRun run(QStringLiteral("refuse@50:6"));
    ASSERT_TRUE(run.play("await:Ready...;" + editAndTransfer
                         + ";await:Transfer Error!;record;click:bMemStore;await:->Transfer finished.;close"));
    const Report r = run.report(1);
    EXPECT_FALSE(r.contains("error")) << r.value("error").toStdString();
    EXPECT_EQ(r.value("record2.caption"), "Transfer Error!");
    EXPECT_EQ(r.value("record2.bMemStore.visible"), "1") << "the transfer buttons are back";

    // The failed write stops at the sixth refusal; the next one starts over.
    const Frame edited = imageOf(r, "record1");
    ASSERT_EQ(edited.size(), std::size_t(stick::memorySize));
    EXPECT_EQ(writtenAddresses(run.frames(stick::stickWriteMem), edited),
              steps(0, 25, 225, {0, 25, 50, 50, 50, 50, 50, 50}));
    EXPECT_EQ(writtenAddresses(run.frames(stick::stickWriteEE), edited), steps(0, 12, 108))
        << "no EE frame after the failed write";
    EXPECT_EQ(slice(run.memory(), 0, 250), slice(edited, 0, 250));
}

TEST(StickEndToEnd, FirmwareUpdateFromALoadedFileSendsEveryPage)
{
    // 150 bytes: two whole pages and six bytes of a third.
    Frame firmware(150);
    for (std::size_t i = 0; i < firmware.size(); ++i)
        firmware[i] = static_cast<std::uint8_t>(i * 13 + 5);
    StickRun run({}, QStringLiteral("0A1B2C3D"), QStringLiteral("255"));
    const QString file = run.path("update.ktp");
    ASSERT_TRUE(writeTextLines(file, makeFirmwareText(firmware, int(firmware.size()), 80)).isEmpty());
    ASSERT_TRUE(run.play("await:Ready...;file:" + file
                         + ";click:bLoad;record;click:bUpdateFw;await:->FW Update finished.;close"));
    const Report r = run.report(1);
    EXPECT_FALSE(r.contains("error")) << r.value("error").toStdString();
    EXPECT_EQ(r.value("dialog"), "Open File");
    EXPECT_FALSE(r.contains("message")) << r.value("message").toStdString();
    EXPECT_EQ(r.value("record1.iFW.visible"), "1") << "the firmware is taken";
    const QString ready = "USB Stick, Device Nr. 0A1B2C3D, FW ???" + twelveBlanks + "Ready...";
    EXPECT_TRUE(run.values(1, "caption").contains(ready + "->FW Update finished."));

    const std::vector<Frame> parts = run.frames(stick::stickFwBlock);
    ASSERT_EQ(parts.size(), 9u) << "three parts of each of three pages";
    Frame padded = firmware;
    padded.resize(3 * stick::fwPageBytes, 0xFF);
    std::size_t next = 0;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const Frame& f = parts[k];
        const int part = static_cast<int>(k % 3) + 1;
        const std::size_t count = part == 3 ? 20 : 26;
        EXPECT_EQ(f[5], part) << "frame " << k;
        const Frame data = slice(f, 6, static_cast<int>(count));
        EXPECT_EQ(data, slice(padded, static_cast<int>(next), static_cast<int>(count))) << "frame " << k;
        EXPECT_EQ(f[3] | f[4] << 8, crc16(data)) << "frame " << k;
        if (part == 3) {
            EXPECT_EQ(slice(f, 26, 6), Frame(6, 0)) << "frame " << k;
        }
        next += count;
    }
    EXPECT_EQ(run.replies('X'), 9) << "the stick took every part";
    EXPECT_EQ(run.replies('Z'), 3);
    EXPECT_EQ(run.replies('['), 0) << "no part with a wrong CRC";
    // The update ends with the reset frame, after the last part.
    const std::vector<Frame> resets = run.frames(stick::stickReset);
    ASSERT_EQ(resets.size(), 1u);
    const QStringList log = run.log();
    EXPECT_GT(lineWith(log, " out CAC50E"), lineWith(log, " out CAC508", true));
    EXPECT_EQ(run.memory(), driverMemory()) << "the driver's memory is left alone";
}

// The real binary, untouched: the stick's identity starts the read of all
// 256 bytes in ten frames; nothing is written.
TEST(StickEndToEnd, RealProgramReadsTheDriverThroughTheStickAndWritesNothing)
{
    StickRun run;
    run.startProgram({});
    ASSERT_TRUE(E2eRun::waitUntil([&] { return run.frames(stick::stickReadMem).size() == 10 && run.replies('R') == 10; },
                                  waitMs))
        << run.log().join('\n').toStdString();
    QThread::msleep(500);

    std::vector<int> addresses;
    for (const Frame& f : run.frames(stick::stickReadMem)) {
        addresses.push_back(f[3]);
        EXPECT_EQ(f[4], readCount(f[3])) << "read at " << int(f[3]);
    }
    EXPECT_EQ(addresses, steps(0, 26, 234));
    EXPECT_TRUE(run.frames(stick::stickWriteMem).empty());
    EXPECT_TRUE(run.frames(stick::stickWriteEE).empty());
    EXPECT_EQ(run.process().state(), QProcess::Running);
    EXPECT_EQ(run.memory(), driverMemory());
}
