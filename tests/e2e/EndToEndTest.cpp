// End to end: the launcher or the real nolt_pgm on the simulated driver, whose memory outlasts the restart, or
// on the simulated stick, which refuses a frame with a wrong CRC; the frames sent are read from its log.

#include "E2eRun.h"

#include "image/TextFile.h"
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

// Erased driver memory with slots M1 and M4 stored under the name "Old", with astro data that a slot choice zeroes.
Memory seededMemory()
{
    Memory memory(0x10000, 0xFF);
    Bytes block(128, 0xFF);
    Bytes image = storedImage();
    std::fill_n(image.begin() + img::astroData, img::astroDataLength, 7);
    const Bytes page = buildSlotPage(image);
    for (int slot : {1, 4}) {
        writeSlotEntry(block, slot, slot::storedLength, QStringLiteral("Old"));
        std::copy(page.begin(), page.end(), memory.begin() + slotPageAddress(slot));
    }
    std::copy(block.begin(), block.end(), memory.begin() + 0xFF80);
    return memory;
}

// Behind the stick: the factory configuration with a fixed power-on delay and level 80, then bytes only a
// faithful copy keeps.
Memory driverMemory()
{
    Memory memory(256);
    std::copy(defaultImage.begin(), defaultImage.end(), memory.begin());
    memory[img::poLevel] = 80;
    memory[img::poDelay] = 0;
    for (std::size_t i = defaultImage.size(); i < memory.size(); ++i)
        memory[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return memory;
}

struct StickRun : E2eRun {
    explicit StickRun(const QString& id = "12345678", const QString& fw = "72") : E2eRun(driverMemory())
    {
        env.insert("NOLT_SIM_MODE", "stick");
        env.insert("NOLT_SIM_STICK_ID", id);
        env.insert("NOLT_SIM_STICK_FW", fw);
    }

    // The frames sent to the stick (sync bytes CA C5) whose command is one of these, in order.
    std::vector<Memory> frames(std::initializer_list<int> commands) const
    {
        std::vector<Memory> found;
        for (const QString& line : log().filter(" out CAC5")) {
            const QByteArray bytes = QByteArray::fromHex(line.section(' ', 2).toLatin1());
            if (std::find(commands.begin(), commands.end(), bytes[2]) != commands.end())
                found.emplace_back(bytes.begin(), bytes.end());
        }
        return found;
    }
};

} // namespace

TEST(DriverEndToEnd, StoredSlotIsTransferredAndTheRestartedProgramShowsIt)
{
    E2eRun run(seededMemory());
    ASSERT_TRUE(run.play({"-skipFW", "-dc=0"},
                         {"click:bM1;text:eInfo=Lamp;click:bMemStore", "click:bM1;record;close"}));
    EXPECT_EQ(run.value(2, "args"), "-skipFW -dc=0") << "the switches and the curve are handed on";
    EXPECT_EQ(run.value(2, "bM1.colour"), "#a6caf0") << "sky blue";
    EXPECT_EQ(run.value(2, "bM1.hint"), "Info: Lamp    ");
    EXPECT_EQ(run.value(2, "lPO_Level"), "L=80%");
    EXPECT_EQ(run.value(2, "lMinLevel"), "Min. Level=10%"); // the page's records: DriverStoreTest

    const Memory memory = run.memory();
    ASSERT_EQ(memory.size(), 0x10000u);
    Memory directory = seededMemory(); // M1's entry anew, the others kept
    const std::uint8_t entry[16] = {0x8A, 0x65, 0xC2, 0x00, 0x80, 0x00, 0x00, 0x00,
                                    'L',  'a',  'm',  'p',  ' ',  ' ',  ' ',  ' '};
    std::copy(entry, entry + 16, directory.begin() + 0xFF80);
    EXPECT_EQ(Memory(memory.begin() + 0xFF80, memory.end()), Memory(directory.begin() + 0xFF80, directory.end()));
}

// The driver pulled out during the control-block read of the instance that a store started, and missed by two
// polls: "   USB Error!   " and demo mode; once the driver is back the program restarts itself and reads it.
TEST(DriverEndToEnd, DriverPulledOutDuringStartUpIsReadOnceItIsBack)
{
    E2eRun run(seededMemory());
    ASSERT_TRUE(run.play({"-skipFW"}, {"click:bM1;text:eInfo=Lamp;click:bMemStore", "", "record;close"},
                         {"", "unplug@1:2", ""}));
    EXPECT_EQ(run.value(2, "message"), "   USB Error!   ");
    EXPECT_TRUE(run.value(2, "caption").endsWith("|Loading...........|Demo Mode"));
    EXPECT_EQ(run.count("find 0"), 2) << "the polls that missed the driver";
    EXPECT_EQ(run.value(3, "args"), "-skipFW");
    EXPECT_EQ(run.value(3, "bM1.hint"), "Info: Lamp    ");
    EXPECT_EQ(run.value(3, "bM4.hint"), "Info: Old     ");
    EXPECT_EQ(run.value(3, "message"), "");
}

// Without a device the real binary polls once a second; plugged in, it starts itself anew with its switches,
// Qt's own ones too, but not the curve, and ends. The new instance reads the directory and the page of every
// stored slot, in slot order, then waits; nothing is written. M4's page is the last read: anything read
// wrongly before it is in the log by the time its sixteen packets are.
TEST(DriverEndToEnd, RealProgramRestartsWhenPluggedInThenReadsEveryStoredSlotAndWritesNothing)
{
    E2eRun run(seededMemory());
    run.env.insert("NOLT_SIM_PLUGGED", run.path("plugged"));
    run.start({"-skipFW", "-reverse", "-dc=1", "-style", "Fusion", "foo"}, false);
    ASSERT_TRUE(E2eRun::waitUntil([&] { return run.count("find 0") >= 3; }));

    QFile(run.path("plugged")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(E2eRun::waitUntil([&] { return run.count("out AA55F21000C00000") == 1 && run.count(" in ") >= 51; }))
        << run.log().join('\n').toStdString();
    EXPECT_TRUE(run.process.waitForFinished(10000)) << "the first instance ends";
    EXPECT_EQ(run.process.exitCode(), 0);
    EXPECT_EQ(run.count("out AA55F21080FF0000"), 1) << "the directory is read once";
    EXPECT_EQ(run.count("out AA55F21000000000"), 1) << "M1";
    EXPECT_EQ(run.count("out AA55F21000400000") + run.count("out AA55F21000800000"), 0) << "empty slots are not read";
    EXPECT_EQ(run.count("out AA55F1") + run.count("out AA55FC"), 0) << "nothing is written";
    EXPECT_EQ(run.memory(), seededMemory());
    ASSERT_EQ(run.pids().size(), 2) << "one restart";
    QFile cmdline("/proc/" + run.pids().last() + "/cmdline");
    ASSERT_TRUE(cmdline.open(QIODevice::ReadOnly)) << "the new instance still runs";
    EXPECT_EQ(cmdline.readAll().chopped(1).split('\0').mid(1), // every argument after the program's path
              (QList<QByteArray>{"-skipFW", "-reverse", "-style", "Fusion", "foo"}));
}

// Read on the stick's identity; "Random" ticked on the power-on panel; "Transfer" writes bytes 0..249
// (command 4), then the EE area 0..119 (command 5).
TEST(StickEndToEnd, ReadShowsTheStickAndTransferWritesTheEditedImage)
{
    StickRun run;
    ASSERT_TRUE(run.play({}, {"await:Ready...;click:lPO_Level;click:cbRandom;click:bDPC_OK;click:bMemStore;"
                              "await:->Transfer finished.;close"}));
    const QString ready = "USB Stick, Device Nr. 12345678, FW 1.72            Ready...";
    EXPECT_TRUE(run.value(1, "caption").endsWith("USB Stick|" + ready + "|" + ready + "->Transfer finished."));
    Memory edited = driverMemory(); // the frames' addresses: StickMachineTest
    edited[img::poDelay] = 0xFF; // random
    EXPECT_EQ(run.memory(), edited) << "bytes 250..255 are never written";
}

// A .ktp file of 150 bytes (two pages and six of a third) opened with "Load", then "Update FW": three parts
// of each page (command 8), then the reset (command 0x0E).
TEST(StickEndToEnd, FirmwareUpdateFromALoadedFileSendsEveryPage)
{
    Memory firmware(150);
    for (std::size_t i = 0; i < firmware.size(); ++i)
        firmware[i] = static_cast<std::uint8_t>(i * 13 + 5);
    StickRun run("0A1B2C3D", "255");
    const QStringList text = {"FWX009650BB6B", // its lines by hand: the bytes above, then 0xFF
        "05121F2C394653606D7A8794A1AEBBC8D5E2EFFC091623303D4A5764717E8B98A5B2BFCCD9E6F3000D1A2734414E5B6875828F9CA9B6C3"
        "D0DDEAF704111E2B3845525F6C798693A0ADBAC7D4E1EEFB0815222F3C495663707D8A97A4B1BECBD8E5F2FF0C192633404D5A6774818E"
        "9BA8B5C2CFDCE9F603101D2A3744515E6B78",
        "85929FACB9C6D3E0EDFA0714212E3B4855626F7C8996" + QString(212, u'F')};
    ASSERT_TRUE(writeTextLines(run.path("update.ktp"), text).isEmpty());
    ASSERT_TRUE(run.play({}, {"await:Ready...;file:" + run.path("update.ktp") + ";click:bLoad;click:bUpdateFw;"
                              "await:->FW Update finished.;close"}));
    EXPECT_EQ(run.value(1, "message"), "");
    EXPECT_TRUE(run.value(1, "caption").endsWith("|USB Stick, Device Nr. 0A1B2C3D, FW ???            Ready..."
                                                 "->FW Update finished."));

    Memory data; // parts 1, 2 and 3 of each page, in order
    for (const Memory& f : run.frames({8}))
        data.insert(data.end(), f.begin() + 6, f.begin() + (f[5] == 3 ? 26 : 32));
    firmware.resize(3 * 72, 0xFF);
    EXPECT_EQ(data, firmware) << "the pages, the last filled with 0xFF";
    EXPECT_EQ(run.frames({0x0E}).size(), 1u) << "the reset";
    EXPECT_EQ(run.memory(), driverMemory()) << "the driver's memory is left alone";
}

// The real binary: the stick's identity starts the read of all 256 bytes in ten frames; nothing is written.
TEST(StickEndToEnd, RealProgramReadsTheDriverThroughTheStickAndWritesNothing)
{
    StickRun run;
    run.start({}, false);
    const QRegularExpression data(" in B252"); // three polls find the stick silent after its last data reply
    ASSERT_TRUE(E2eRun::waitUntil([&] { return run.count(" in B252") == 10 && run.idleAfter(data) >= 3; }))
        << run.log().join('\n').toStdString();
    EXPECT_EQ(run.frames({2}).size(), 10u);
    EXPECT_TRUE(run.frames({4, 5}).empty());
    EXPECT_EQ(run.process.state(), QProcess::Running);
    EXPECT_EQ(run.memory(), driverMemory());
}
