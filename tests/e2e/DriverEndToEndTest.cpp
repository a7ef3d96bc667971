// Driver mode end to end: the launcher or the real nolt_pgm on the simulated driver, whose memory file
// outlasts the self-restart.

#include "E2eRun.h"

#include "image/Crc16.h"
#include "link/ControlBlock.h"
#include "link/SlotPage.h"

#include <gtest/gtest.h>

using namespace nolt;
using namespace nolt::e2e;

namespace {

Bytes storedImage()
{
    Bytes image(defaultImage.begin(), defaultImage.end());
    image[img::poLevel] = 80;
    image[img::minLevel] = 10;
    return image;
}

// Erased memory with slots M1 and M3 stored under the name "Old".
Memory seededMemory()
{
    Memory memory(0x10000, 0xFF);
    Bytes block(128, 0xFF);
    const Bytes page = buildSlotPage(storedImage());
    for (int slot : {1, 3}) {
        writeSlotEntry(block, slot, slot::storedLength, QStringLiteral("Old"));
        std::copy(page.begin(), page.end(), memory.begin() + slotPageAddress(slot));
    }
    std::copy(block.begin(), block.end(), memory.begin() + 0xFF80);
    return memory;
}

} // namespace

TEST(DriverEndToEnd, StoredSlotIsTransferredAndTheRestartedProgramShowsIt)
{
    E2eRun run;
    run.seedMemory(seededMemory());
    run.environment().insert("NOLT_E2E_STEPS_1", "click:bM1;text:eInfo=Lamp;click:bMemStore");
    run.environment().insert("NOLT_E2E_STEPS_2", "record;click:bM1;record;close");
    run.start({"-skipFW", "-dc=0"});
    ASSERT_TRUE(E2eRun::waitUntil([&] { return run.finished(2); })) << "the restarted instance never finished";
    EXPECT_TRUE(run.process().waitForFinished(10000));
    EXPECT_EQ(run.process().exitCode(), 0);
    EXPECT_EQ(run.value(1, "error") + run.value(2, "error"), "");

    EXPECT_EQ(run.value(2, "args"), "-skipFW -dc=0") << "the switches and the curve are handed on";
    EXPECT_EQ(run.value(2, "record1.bM1.colour"), "#a6caf0") << "sky blue";
    EXPECT_EQ(run.value(2, "record1.bM1.hint"), "Info: Lamp    ");
    EXPECT_EQ(run.value(2, "record2.lPO_Level"), "L=80%");
    EXPECT_EQ(run.value(2, "record2.lMinLevel"), "Min. Level=10%");

    // Every record of M1's page: length 15, its offset, the image bytes, a CRC over offset and data.
    const Memory memory = run.memory();
    ASSERT_EQ(memory.size(), 0x10000u);
    const Bytes image = storedImage();
    for (int k = 0; k < 8; ++k) {
        const std::uint8_t* r = memory.data() + 16 * k;
        EXPECT_EQ(r[0], 15) << "record " << k;
        EXPECT_EQ(r[1], 12 * k) << "record " << k;
        EXPECT_TRUE(std::equal(r + 2, r + 14, image.begin() + 12 * k)) << "record " << k;
        EXPECT_EQ(r[14] | r[15] << 8, crc16(std::span(r + 1, 13))) << "record " << k;
    }
    EXPECT_EQ(slice(memory, 0xFF80, 16),
              (Memory{0x8A, 0x65, 0xC2, 0x00, 0x80, 0x00, 0x00, 0x00, 'L', 'a', 'm', 'p', ' ', ' ', ' ', ' '}));
    EXPECT_EQ(slice(memory, 0xFF90, 112), slice(seededMemory(), 0xFF90, 112)) << "the other entries are kept";
}

// A store refused at the directory is reported and leaves the slot choice; "Erase ALL" then empties the
// device and the restarted program offers four empty slots.
TEST(DriverEndToEnd, FailedDirectoryWriteThenEraseEmptiesTheDevice)
{
    E2eRun run;
    run.seedMemory(seededMemory());
    run.environment().insert("NOLT_SIM_FAULT", "status0@0xFF80");
    run.environment().insert("NOLT_E2E_STEPS_1", "click:bM2;text:eInfo=New;click:bMemStore;click:bM3;click:bErase");
    run.environment().insert("NOLT_E2E_STEPS_2", "record;close");
    run.start({"-eraseAll"});
    ASSERT_TRUE(E2eRun::waitUntil([&] { return run.finished(1) && run.finished(2); }));
    EXPECT_EQ(run.value(1, "error") + run.value(2, "error"), "");

    EXPECT_EQ(run.value(1, "message"), "Firmware Write Error!CB|Are youe sure?");
    EXPECT_EQ(run.value(2, "args"), "-eraseAll");
    for (const char* slot : {"bM1", "bM2", "bM3", "bM4"})
        EXPECT_EQ(run.value(2, QStringLiteral("record1.%1.colour").arg(slot)), "#00ff00") << slot << " lime";
    EXPECT_EQ(run.memory(), Memory(0x10000, 0xFF));
}

// The real binary reads the directory and the page of every stored slot, then waits; nothing is written.
TEST(DriverEndToEnd, RealProgramReadsEveryStoredSlotAndWritesNothing)
{
    E2eRun run;
    run.seedMemory(seededMemory());
    run.start({}, false);
    ASSERT_TRUE(E2eRun::waitUntil([&] { return run.count("out AA55F21000800000") == 1 && run.count(" in ") >= 51; }))
        << run.log().join('\n').toStdString();
    QThread::msleep(1500);

    EXPECT_EQ(run.count("out AA55F21080FF0000"), 1) << "the directory is read once";
    EXPECT_EQ(run.count("out AA55F21000000000"), 1) << "M1";
    EXPECT_EQ(run.count("out AA55F21000400000"), 0) << "empty slots are not read";
    EXPECT_EQ(run.count("out AA55F1") + run.count("out AA55FC"), 0) << "nothing is written";
    EXPECT_EQ(run.pids().size(), 1) << "no restart";
    EXPECT_EQ(run.process().state(), QProcess::Running);
    EXPECT_EQ(run.memory(), seededMemory());
}

// Without a device the real binary polls once a second; plugged in, it starts itself anew with its switches,
// Qt's own ones too, but not the curve, and ends.
TEST(DriverEndToEnd, RealProgramRestartsItselfWhenTheDeviceIsPluggedIn)
{
    E2eRun run;
    run.seedMemory(seededMemory());
    run.environment().insert("NOLT_SIM_PLUGGED", run.path("plugged"));
    run.start({"-skipFW", "-reverse", "-dc=1", "-style", "Fusion", "foo"}, false);
    ASSERT_TRUE(E2eRun::waitUntil([&] { return run.count("find 0") >= 3; }));
    EXPECT_EQ(run.process().state(), QProcess::Running);

    QFile(run.path("plugged")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(E2eRun::waitUntil([&] { return run.pids().size() == 2 && run.count("out AA55F21080FF0000") == 1; }));
    EXPECT_TRUE(run.process().waitForFinished(10000)) << "the first instance ends";
    EXPECT_EQ(run.process().exitCode(), 0);
    QFile cmdline("/proc/" + run.pids().last() + "/cmdline");
    ASSERT_TRUE(cmdline.open(QIODevice::ReadOnly));
    EXPECT_EQ(cmdline.readAll().split('\0').mid(1, 5),
              (QList<QByteArray>{"-skipFW", "-reverse", "-style", "Fusion", "foo"}));
}
