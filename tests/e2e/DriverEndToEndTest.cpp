// End-to-end tests of driver mode: the program's own main block on the real
// desktop platform (offscreen), the simulated driver loaded as the HID
// access library by name, its memory in a file that outlasts the program's
// self-restart. The launcher plays the user by clicking the controls by
// name; the last two tests start the real nolt_pgm binary untouched.

#include "E2eRun.h"

#include "image/Crc16.h"
#include "link/ControlBlock.h"
#include "link/SlotPage.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QThread>

using namespace nolt;
using namespace nolt::e2e;

namespace {

constexpr int memorySize = 0x10000;
constexpr int controlBlock = 0xFF80;
constexpr int waitMs = 90000;
const QString skyBlue = QStringLiteral("#a6caf0"); // 0xF0CAA6 in blue-green-red order
const QString lime = QStringLiteral("#00ff00");

// A configuration that differs from the factory one where the main screen
// shows it, with astro data that a slot choice zeroes.
Bytes storedImage()
{
    Bytes image(defaultImage.begin(), defaultImage.end());
    image[img::poLevel] = 80;
    image[img::minLevel] = 10;
    for (int i = 0; i < img::astroDataLength; ++i)
        image[img::astroData + i] = static_cast<std::uint8_t>(i + 1);
    return image;
}

// Erased memory with slot M1 stored under the name "Old" (and, when given,
// slot M3 as well).
std::vector<std::uint8_t> seededMemory(bool alsoM3 = false)
{
    std::vector<std::uint8_t> memory(memorySize, 0xFF);
    Bytes block(128, 0xFF);
    const Bytes page = buildSlotPage(storedImage());
    for (int slot : alsoM3 ? std::vector<int>{1, 3} : std::vector<int>{1}) {
        writeSlotEntry(block, slot, slot::storedLength, QStringLiteral("Old"));
        std::copy(page.begin(), page.end(), memory.begin() + slotPageAddress(slot));
    }
    std::copy(block.begin(), block.end(), memory.begin() + controlBlock);
    return memory;
}

std::vector<std::uint8_t> slice(const std::vector<std::uint8_t>& memory, int address, int count)
{
    return {memory.begin() + address, memory.begin() + address + count};
}

// Every record of a page: length 15, its offset, the image bytes, and a CRC
// over offset and data that matches.
void expectRecords(const std::vector<std::uint8_t>& page, const Bytes& image)
{
    for (int k = 0; k < 8; ++k) {
        const auto* r = page.data() + 16 * k;
        EXPECT_EQ(r[0], 15) << "record " << k;
        EXPECT_EQ(r[1], 12 * k) << "record " << k;
        EXPECT_TRUE(std::equal(r + 2, r + 14, image.begin() + 12 * k)) << "record " << k;
        EXPECT_EQ(r[14] | r[15] << 8, crc16(std::span(r + 1, 13))) << "record " << k;
    }
}

int countLines(const QStringList& log, const QString& what)
{
    return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const QString& l) { return l.contains(what); }));
}

} // namespace

TEST(DriverEndToEnd, StoredSlotIsTransferredAndTheRestartedProgramShowsIt)
{
    E2eRun run;
    run.seedMemory(seededMemory());
    run.environment().insert("NOLT_E2E_STEPS_1", "click:bM1;record;text:eInfo=Lamp;click:bMemStore");
    run.environment().insert("NOLT_E2E_STEPS_2", "click:bM1;record;close");
    run.startLauncher({"-skipFW", "-dc=0"});
    ASSERT_TRUE(E2eRun::waitUntil([&] { return run.finished(2); }, waitMs)) << "the restarted instance never finished";

    const Report first = run.report(1);
    EXPECT_EQ(first.value("start.caption"), "Nolt");
    EXPECT_EQ(first.value("start.bM1.colour"), skyBlue);
    EXPECT_EQ(first.value("start.bM1.hint"), "Info: Old     ") << "a stored name is padded with blanks";
    for (const char* empty : {"start.bM2.colour", "start.bM3.colour", "start.bM4.colour"})
        EXPECT_EQ(first.value(empty), lime) << empty;
    EXPECT_EQ(first.value("start.bMemStore.visible"), "0");
    // The chosen slot's configuration is drawn; the other buttons are gone.
    EXPECT_EQ(first.value("record1.lPO_Level"), "L=80%");
    EXPECT_EQ(first.value("record1.lMinLevel"), "Min. Level=10%");
    EXPECT_EQ(first.value("record1.eInfo"), "Old     ");
    EXPECT_EQ(first.value("record1.bM1.enabled"), "0");
    EXPECT_EQ(first.value("record1.bM2.visible"), "0");
    EXPECT_EQ(first.value("record1.bMemStore.visible"), "1");
    EXPECT_FALSE(first.contains("error")) << first.value("error").toStdString();
    EXPECT_TRUE(run.process().waitForFinished(10000));
    EXPECT_EQ(run.process().exitCode(), 0);

    const Report second = run.report(2);
    EXPECT_EQ(second.value("args"), "-skipFW -dc=0") << "the switches and the curve are handed on";
    EXPECT_EQ(second.value("start.bM1.hint"), "Info: Lamp    ");
    EXPECT_EQ(second.value("start.bM1.colour"), skyBlue);
    EXPECT_EQ(second.value("record1.eInfo"), "Lamp    ");
    EXPECT_EQ(second.value("record1.lPO_Level"), "L=80%");
    EXPECT_EQ(second.value("record1.lMinLevel"), "Min. Level=10%");
    EXPECT_FALSE(second.contains("error")) << second.value("error").toStdString();

    const auto memory = run.memory();
    ASSERT_EQ(memory.size(), std::size_t(memorySize));
    Bytes expected = storedImage();
    std::fill_n(expected.begin() + img::astroData, img::astroDataLength, 0); // zeroed by the slot choice
    expectRecords(slice(memory, 0x0000, 128), expected);
    const std::vector<std::uint8_t> entry = {0x8A, 0x65, 0xC2, 0x00, 0x80, 0x00, 0x00, 0x00,
                                             'L',  'a',  'm',  'p',  ' ',  ' ',  ' ',  ' '};
    EXPECT_EQ(slice(memory, controlBlock, 16), entry);
    EXPECT_EQ(slice(memory, controlBlock + 16, 112), std::vector<std::uint8_t>(112, 0xFF));
}

TEST(DriverEndToEnd, FailedDirectoryWriteIsReportedAndLeavesTheSlotChoice)
{
    E2eRun run;
    const auto seeded = seededMemory();
    run.seedMemory(seeded);
    run.environment().insert("NOLT_SIM_FAULT", "status0@0xFF80");
    run.environment().insert("NOLT_E2E_STEPS_1", "click:bM2;text:eInfo=New;click:bMemStore;record;close");
    run.startLauncher({});
    ASSERT_TRUE(E2eRun::waitUntil([&] { return run.finished(1); }, waitMs));

    const Report r = run.report(1);
    EXPECT_EQ(r.value("message"), "Firmware Write Error!CB");
    for (const char* slot : {"record1.bM1", "record1.bM2", "record1.bM3", "record1.bM4"}) {
        EXPECT_EQ(r.value(QString(slot) + ".visible"), "1") << slot;
        EXPECT_EQ(r.value(QString(slot) + ".enabled"), "1") << slot;
    }
    EXPECT_EQ(r.value("record1.bMemStore.visible"), "0");
    EXPECT_TRUE(run.process().waitForFinished(10000));
    EXPECT_TRUE(run.report(2).isEmpty()) << "no restart after a failed store";

    const auto memory = run.memory();
    expectRecords(slice(memory, 0x4000, 128), Bytes(defaultImage.begin(), defaultImage.end()));
    EXPECT_EQ(slice(memory, controlBlock, 128), slice(seeded, controlBlock, 128)) << "the directory is as before";
}

TEST(DriverEndToEnd, EraseEmptiesTheDeviceAndTheRestartedProgramListsEmptySlots)
{
    E2eRun run;
    run.seedMemory(seededMemory(true));
    run.environment().insert("NOLT_E2E_STEPS_1", "click:bM3;answer:yes;click:bErase");
    run.environment().insert("NOLT_E2E_STEPS_2", "close");
    run.startLauncher({"-eraseAll"});
    ASSERT_TRUE(E2eRun::waitUntil([&] { return run.finished(2); }, waitMs));

    EXPECT_EQ(run.report(1).value("message"), "Are youe sure?");
    const Report second = run.report(2);
    EXPECT_EQ(second.value("args"), "-eraseAll");
    for (const char* slot : {"start.bM1.colour", "start.bM2.colour", "start.bM3.colour", "start.bM4.colour"})
        EXPECT_EQ(second.value(slot), lime) << slot;
    EXPECT_EQ(run.memory(), std::vector<std::uint8_t>(memorySize, 0xFF));
}

// The real binary, untouched: it reads the directory and the page of every
// stored slot, then waits for the user; nothing is written.
TEST(DriverEndToEnd, RealProgramReadsEveryStoredSlotAndWritesNothing)
{
    E2eRun run;
    const auto seeded = seededMemory(true);
    run.seedMemory(seeded);
    run.startProgram({});
    const QString m1 = "out AA55F21000000000", m3 = "out AA55F21000800000";
    ASSERT_TRUE(E2eRun::waitUntil([&] {
        const QStringList log = run.log();
        return countLines(log, m3) == 1 && countLines(log, " in ") >= 3 * 17;
    }, waitMs)) << run.log().join('\n').toStdString();
    QThread::msleep(1500);

    const QStringList log = run.log();
    EXPECT_EQ(countLines(log, "out AA55F21080FF0000"), 1) << "the directory is read once";
    EXPECT_EQ(countLines(log, m1), 1);
    EXPECT_EQ(countLines(log, "out AA55F21000400000"), 0) << "empty slots are not read";
    EXPECT_EQ(countLines(log, "out AA55F1"), 0) << "nothing is written";
    EXPECT_EQ(countLines(log, "out AA55FC"), 0);
    EXPECT_EQ(loggedPids(log).size(), 1u) << "no restart";
    EXPECT_EQ(run.process().state(), QProcess::Running);
    EXPECT_EQ(run.memory(), seeded);
}

// The real binary without a device polls once a second and, when the device
// is plugged in, starts itself anew with the same switches and ends. The
// switches that Qt takes for itself are handed on as well.
TEST(DriverEndToEnd, RealProgramRestartsItselfWhenTheDeviceIsPluggedIn)
{
    E2eRun run;
    run.seedMemory(seededMemory());
    const QString plugged = run.path("plugged");
    run.environment().insert("NOLT_SIM_PLUGGED", plugged);
    run.startProgram({"-skipFW", "-reverse", "-dc=1", "-style", "Fusion", "foo"});
    ASSERT_TRUE(E2eRun::waitUntil([&] { return countLines(run.log(), "find 0") >= 3; }, waitMs));
    EXPECT_EQ(run.process().state(), QProcess::Running);

    QFile(plugged).open(QIODevice::WriteOnly);
    ASSERT_TRUE(E2eRun::waitUntil([&] { return loggedPids(run.log()).size() == 2
                                               && countLines(run.log(), "out AA55F21080FF0000") == 1; },
                                  waitMs));
    EXPECT_TRUE(run.process().waitForFinished(10000)) << "the first instance ends";
    EXPECT_EQ(run.process().exitCode(), 0);
    const qint64 second = loggedPids(run.log()).back();
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(second));
    ASSERT_TRUE(cmdline.open(QIODevice::ReadOnly));
    const QList<QByteArray> arguments = cmdline.readAll().split('\0');
    EXPECT_EQ(arguments.mid(1, 5), (QList<QByteArray>{"-skipFW", "-reverse", "-style", "Fusion", "foo"}))
        << "every parameter but the curve is handed on";
}
