// "Transfer" from the bottom strip; its failures are tested on the link (DriverStoreTest) and end to end.

#include "DriverForm.h"

#include "image/FirmwareText.h"
#include "image/TextFile.h"
#include "sim/StickModel.h"

#include <QTemporaryDir>

using namespace nolt;
using namespace nolt::test;

TEST(Store, TransferWritesTheSlotAndRestartsWithTheSwitchesAndTheCurve)
{
    DriverForm d;
    d.storeSlot(2, sampleImage(), QStringLiteral("Old"));
    FormHarness& h = d.start({"-eraseAll", "-dc=2", "x"});
    d.choose(2);
    EXPECT_TRUE(h.shown("bErase")) << "offered with -eraseAll";
    d.chooseHalvingCurve(2);
    h.find<QLineEdit>("eInfo")->setText(QStringLiteral("Lamp"));
    h.click("bMemStore");

    EXPECT_TRUE(h.platform.messages.isEmpty());
    EXPECT_EQ(h.platform.restarts, std::vector<QString>{" -eraseAll x -dc=2"});
    EXPECT_EQ(d.at(0xFF98, 8), (std::vector<std::uint8_t>{'L', 'a', 'm', 'p', ' ', ' ', ' ', ' '}));
    EXPECT_EQ(d.at(0x4000 + 2 + img::minLevel, 1)[0], 5) << "levels leave through the curve";
    EXPECT_FALSE(h.state().formDisabled);
}

TEST(Store, LoadedFirmwareFileIsWrittenWithTheNextTransfer)
{
    QTemporaryDir dir;
    std::vector<std::uint8_t> firmware(200);
    for (int i = 0; i < 200; ++i)
        firmware[i] = static_cast<std::uint8_t>(0x30 + i % 64);
    const QString file = dir.filePath("fw.ktp");
    ASSERT_TRUE(writeTextLines(file, makeFirmwareText(firmware, 200, 0x48)).isEmpty());
    DriverForm d;
    FormHarness& h = d.start({"-skipFW"});
    d.choose(4);
    h.platform.fileAnswers = {file};
    h.click("bLoad");
    EXPECT_EQ(h.find<QLabel>("iFW")->toolTip(), "Version 1.72");
    h.click("bMemStore");

    EXPECT_TRUE(h.platform.messages.isEmpty());
    EXPECT_EQ(d.at(0x0200, 200), firmware);
    EXPECT_EQ(d.at(0xFFC0 + 3, 1)[0], 0x48) << "the firmware entry holds the file's version";
    EXPECT_FALSE(h.state().firmware.fwUpdatePending);
    EXPECT_EQ(h.platform.restarts, std::vector<QString>{" -skipFW"});
}

TEST(Store, TransferInStickModeStartsTheSticksWriteAndStaysUsable)
{
    sim::SimDevice stick(std::make_unique<sim::StickModel>(), 64, 64);
    auto h = FormHarness::started({}, [&] { return std::make_unique<sim::BorrowedDevice>(stick); });
    h->platform.advance(5000); // the stick identifies itself and its memory is read
    h->image()[10] = 0x33;
    h->click("bMemStore");
    EXPECT_TRUE(h->shown("bMemStore"));
    EXPECT_FALSE(h->state().formDisabled);
    EXPECT_TRUE(h->platform.restarts.empty());
    h->platform.advance(10000);
    EXPECT_EQ(static_cast<sim::StickModel*>(stick.model())->memory[10], 0x33);
}
