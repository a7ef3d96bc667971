// "Transfer" and "Erase ALL" from the bottom strip, on a simulated driver.

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
    d.chooseHalvingCurve(2);
    h.find<QLineEdit>("eInfo")->setText(QStringLiteral("Lamp"));
    h.click("bMemStore");

    EXPECT_TRUE(h.platform.messages.isEmpty());
    EXPECT_EQ(h.platform.restarts, std::vector<QString>{" -eraseAll x -dc=2"});
    EXPECT_EQ(d.at(0xFF98, 8), (std::vector<std::uint8_t>{'L', 'a', 'm', 'p', ' ', ' ', ' ', ' '}));
    EXPECT_EQ(d.at(0x4000 + 2 + img::minLevel, 1)[0], 5) << "levels leave through the curve";
    EXPECT_FALSE(h.form->state().formDisabled);
}

TEST(Store, FailedDirectoryWriteLeavesTheSlotChoice)
{
    DriverForm d;
    d.storeSlot(1, sampleImage(), QStringLiteral("Old"));
    FormHarness& h = d.start();
    const auto directory = d.at(0xFF80, 128);
    d.choose(1);
    d.driver().faults.ack[0xFF80] = sim::AckFault::Status0;
    h.platform.busyCursor = true;
    h.click("bMemStore");

    EXPECT_EQ(h.platform.messages, QStringList{"Firmware Write Error!CB"});
    EXPECT_TRUE(h.platform.restarts.empty());
    EXPECT_EQ(d.at(0xFF80, 128), directory);
    EXPECT_FALSE(h.platform.busyCursor);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_TRUE(d.slot(k)->isVisibleTo(h.form.get())) << k;
        EXPECT_TRUE(d.slot(k)->isEnabled()) << k;
    }
    EXPECT_FALSE(h.shown("bMemStore"));
    EXPECT_TRUE(h.form->state().formDisabled);

    d.choose(1); // reloads the slot as read at start-up
    EXPECT_EQ(h.image()[img::poLevel], 80);
    EXPECT_FALSE(h.form->state().formDisabled);
}

TEST(Store, WithoutTheDeviceTheUserIsToldAndKeepsEditing)
{
    DriverForm d;
    FormHarness& h = d.start();
    d.choose(1);
    d.device.present = false;
    h.click("bMemStore");
    EXPECT_EQ(h.platform.messages, QStringList{"   USB Error!   "});
    EXPECT_TRUE(h.shown("bMemStore"));
    EXPECT_FALSE(h.form->state().formDisabled);
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
    EXPECT_TRUE(h.shown("iFW"));
    EXPECT_EQ(h.find<QLabel>("iFW")->toolTip(), "Version 1.72");
    h.click("bMemStore");

    EXPECT_TRUE(h.platform.messages.isEmpty());
    EXPECT_EQ(d.at(0x0200, 200), firmware);
    EXPECT_EQ(d.at(0x0200 + 200, 56), std::vector<std::uint8_t>(56, 0xFF));
    EXPECT_EQ(d.at(0x0300, 128), std::vector<std::uint8_t>(128, 0xFF)) << "two pages only";
    EXPECT_EQ(d.at(0xFFC0, 8), (std::vector<std::uint8_t>{0x8A, 0x65, 0xC1, 0x48, 0xC8, 0x00, 0x04, 0x00}));
    EXPECT_FALSE(h.form->state().firmware.fwUpdatePending);
    EXPECT_EQ(h.platform.restarts, std::vector<QString>{" -skipFW"});
}

TEST(Store, EraseIsOfferedWithItsSwitchAndRestartsAfterYes)
{
    DriverForm d;
    d.storeSlot(1, sampleImage(), QStringLiteral("Old"));
    FormHarness& h = d.start({"-eraseAll", "-dc=3"});
    d.choose(1);
    EXPECT_TRUE(h.shown("bErase"));
    h.platform.confirmAnswers = {true};
    h.click("bErase");
    EXPECT_EQ(d.driver().erases, 1);
    EXPECT_EQ(h.platform.restarts, std::vector<QString>{" -eraseAll"});
}

TEST(Store, TransferInStickModeStartsTheSticksWriteAndStaysUsable)
{
    sim::SimDevice stick(std::make_unique<sim::StickModel>(), 64, 64);
    auto& model = *static_cast<sim::StickModel*>(stick.model());
    auto h = FormHarness::started({}, [&] { return std::make_unique<sim::BorrowedDevice>(stick); });
    h->platform.advance(5000); // the stick identifies itself and its memory is read
    ASSERT_FALSE(h->form->state().formDisabled);

    h->image()[10] = 0x33;
    h->click("bMemStore");
    EXPECT_TRUE(h->shown("bMemStore"));
    EXPECT_FALSE(h->form->state().formDisabled);
    EXPECT_TRUE(h->platform.restarts.empty());
    h->platform.advance(10000);
    EXPECT_EQ(model.memory[10], 0x33);
}
