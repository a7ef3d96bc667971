// The transfer buttons in the window: the hourglass of a transfer (the default arrow is back once the slot row
// ends it or a write fails), "Erase ALL" and "Default".

#include "Harness.h"

using nolt::sim::AckFault;

// A refused slot page: the message, the slots offered again, no transfer buttons, and the default arrow; the
// row's "Cancel" leaves the arrow too.
TEST(BusyCursor, DefaultArrowAfterATransferErrorAndAfterCancel)
{
    DriverForm d;
    d.storeSlot(2, sampleImage(), QStringLiteral("Two"));
    FormHarness& h = d.start();
    d.choose(2);
    h.click("bMemCancel");
    EXPECT_FALSE(h.platform.busyCursor) << "after Cancel";
    d.driver().faults.ack[slotPageAddress(2)] = AckFault::Status0;
    d.choose(2);
    h.click("bMemStore");
    EXPECT_EQ(h.platform.messages, QStringList{"Firmware Write Error!CF"});
    EXPECT_FALSE(h.platform.busyCursor) << "after the error";
    for (const char* shown : {"bM1", "bM2", "bM3", "bM4"})
        EXPECT_TRUE(h.shown(shown)) << shown;
    for (const char* hidden : {"bMemStore", "bMemCancel", "bMemClear", "bLoad", "bSave", "eInfo"})
        EXPECT_FALSE(h.shown(hidden)) << hidden;
    EXPECT_TRUE(h.state().formDisabled) << "a slot must be chosen again";
}

// "Erase ALL" of the window asks, erases the device and restarts with the same switches.
TEST(TransferButtons, EraseAllAsksErasesAndRestarts)
{
    DriverForm d;
    d.storeSlot(1, sampleImage(), QStringLiteral("One"));
    FormHarness& h = d.start({"-eraseAll"});
    d.choose(1);
    h.platform.confirmAnswers = {true};
    h.click("bErase");
    EXPECT_EQ(h.platform.confirmations, QStringList{"Are youe sure?"});
    EXPECT_EQ(d.sent({0xAA, 0x55, 0xFC, 0x00, 0x55, 0xAA}), 1);
    EXPECT_EQ(h.platform.restarts, std::vector<QString>{" -eraseAll"});
}

// "Default" shows the factory configuration on the main screen at once.
TEST(TransferButtons, DefaultShowsTheFactoryImage)
{
    DriverForm d;
    d.storeSlot(3, sampleImage(), QStringLiteral("Three")); // power-on level 80
    FormHarness& h = d.start();
    d.choose(3);
    EXPECT_EQ(h.text("lPO_Level"), "L=80%");
    h.platform.confirmAnswers = {true};
    h.click("bMemClear");
    EXPECT_EQ(h.text("lPO_Level"), "L=100%");
}
