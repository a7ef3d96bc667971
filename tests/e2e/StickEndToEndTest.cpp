// Stick mode end to end: the launcher or the real nolt_pgm on the simulated programming stick, which refuses
// a frame with a wrong CRC; the frames are read from the library's log.

#include "E2eRun.h"

#include "image/ConfigImage.h"
#include "image/FirmwareText.h"
#include "image/TextFile.h"

#include <gtest/gtest.h>

using namespace nolt;
using namespace nolt::e2e;

namespace {

// The factory configuration with a fixed power-on delay and level 80, then bytes only a faithful copy keeps.
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
    explicit StickRun(const QString& id = "12345678", const QString& fw = "72")
    {
        environment().insert("NOLT_SIM_MODE", "stick");
        environment().insert("NOLT_SIM_STICK_ID", id);
        environment().insert("NOLT_SIM_STICK_FW", fw);
        seedMemory(driverMemory());
    }

    // Plays the steps (the last closes the window); true when the program ended without fault.
    bool play(const QString& steps)
    {
        environment().insert("NOLT_E2E_STEPS_1", steps);
        start({});
        return waitUntil([&] { return finished(1); }) && process().waitForFinished(10000)
            && process().exitStatus() == QProcess::NormalExit && process().exitCode() == 0 && value(1, "error") == "";
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

// Read on the stick's identity; "Random" ticked on the power-on panel; "Transfer" writes bytes 0..249 (command 4),
// then the EE area 0..119 (command 5).
TEST(StickEndToEnd, ReadShowsTheStickAndTransferWritesTheEditedImage)
{
    StickRun run;
    ASSERT_TRUE(run.play("await:Ready...;record;click:lPO_Level;click:cbRandom;click:bDPC_OK;click:bMemStore;"
                         "await:->Transfer finished.;close"));
    const QString ready = "USB Stick, Device Nr. 12345678, FW 1.72            Ready...";
    EXPECT_TRUE(run.value(1, "caption").endsWith("USB Stick|" + ready + "|" + ready + "->Transfer finished."));
    EXPECT_EQ(run.value(1, "record1.lPO_Level"), "L=80%");

    QStringList written; // command@address
    for (const Memory& f : run.frames({4, 5}))
        written.append(QStringLiteral("%1@%2").arg(f[2]).arg(f[5]));
    EXPECT_EQ(written, (QStringList{"4@0", "4@25", "4@50", "4@75", "4@100", "4@125", "4@150", "4@175", "4@200", "4@225",
                                    "5@0", "5@12", "5@24", "5@36", "5@48", "5@60", "5@72", "5@84", "5@96", "5@108"}));
    Memory edited = driverMemory();
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
    const QString file = run.path("update.ktp");
    ASSERT_TRUE(writeTextLines(file, makeFirmwareText(firmware, int(firmware.size()), 80)).isEmpty());
    ASSERT_TRUE(run.play("await:Ready...;file:" + file + ";click:bLoad;click:bUpdateFw;"
                         "await:->FW Update finished.;close"));
    EXPECT_EQ(run.value(1, "dialog"), "Open File");
    EXPECT_EQ(run.value(1, "message"), "");
    EXPECT_TRUE(run.value(1, "caption").endsWith("|USB Stick, Device Nr. 0A1B2C3D, FW ???            Ready..."
                                                 "->FW Update finished."));

    QStringList sent; // command/part
    Memory data;
    for (const Memory& f : run.frames({8, 0x0E})) {
        sent.append(QStringLiteral("%1/%2").arg(f[2]).arg(f[2] == 8 ? f[5] : 0));
        if (f[2] == 8)
            data.insert(data.end(), f.begin() + 6, f.begin() + (f[5] == 3 ? 26 : 32));
    }
    EXPECT_EQ(sent, (QStringList{"8/1", "8/2", "8/3", "8/1", "8/2", "8/3", "8/1", "8/2", "8/3", "14/0"}));
    firmware.resize(3 * 72, 0xFF);
    EXPECT_EQ(data, firmware) << "the pages, the last filled with 0xFF";
    EXPECT_EQ(run.count(" in B258"), 9) << "the stick took every part ('X')";
    EXPECT_EQ(run.count(" in B25A"), 3) << "and every page ('Z')";
    EXPECT_EQ(run.memory(), driverMemory()) << "the driver's memory is left alone";
}

// The real binary: the stick's identity starts the read of all 256 bytes in ten frames; nothing is written.
TEST(StickEndToEnd, RealProgramReadsTheDriverThroughTheStickAndWritesNothing)
{
    StickRun run;
    run.start({}, false);
    ASSERT_TRUE(E2eRun::waitUntil([&] { return run.count(" out CAC502") == 10 && run.count(" in B252") == 10; }))
        << run.log().join('\n').toStdString();
    QThread::msleep(500);

    QStringList reads; // address+count
    for (const Memory& f : run.frames({2}))
        reads.append(QStringLiteral("%1+%2").arg(f[3]).arg(f[4]));
    EXPECT_EQ(reads, (QStringList{"0+26", "26+26", "52+26", "78+26", "104+26", "130+26", "156+26", "182+26", "208+26",
                                  "234+22"}));
    EXPECT_TRUE(run.frames({4, 5}).empty());
    EXPECT_EQ(run.process().state(), QProcess::Running);
    EXPECT_EQ(run.memory(), driverMemory());
}
