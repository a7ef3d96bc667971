// The memory-slot row in driver mode: slots listed from the device's
// directory, choosing one, "Cancel" and "Default".

#include "DriverForm.h"

using namespace nolt;
using namespace nolt::test;

namespace {

bool isDefault(const Bytes& image)
{
    return std::equal(defaultImage.begin(), defaultImage.end(), image.begin());
}

} // namespace

TEST(SlotRow, ErasedDeviceOffersFourEmptySlotsThatGiveTheFactoryImage)
{
    DriverForm d;
    FormHarness& h = d.start();
    EXPECT_EQ(h.form->caption(), "Nolt");
    for (int k = 1; k <= 4; ++k) {
        EXPECT_TRUE(d.slot(k)->isVisibleTo(h.form.get())) << k;
        EXPECT_EQ(d.colour(k), bgr(clLime)) << k;
        EXPECT_TRUE(d.slot(k)->toolTip().isEmpty()) << k;
    }
    EXPECT_FALSE(h.shown("iFW"));
    EXPECT_FALSE(h.shown("bMemStore"));
    EXPECT_TRUE(h.form->state().formDisabled) << "only a slot choice is possible";
    EXPECT_EQ(d.sent({0xAA, 0x55, 0xF2}), 1) << "only the directory is read";

    d.choose(2);
    EXPECT_TRUE(isDefault(h.image()));
    EXPECT_FALSE(h.form->state().formDisabled);
    EXPECT_EQ(h.form->state().memSlot, 2);
    EXPECT_TRUE(h.shown("bM2"));
    EXPECT_FALSE(d.slot(2)->isEnabled());
    for (const char* hidden : {"bM1", "bM3", "bM4", "bErase", "bUpdateFw", "l60Hz"})
        EXPECT_FALSE(h.shown(hidden)) << hidden;
    for (const char* shown : {"bMemStore", "bMemCancel", "bMemClear", "bLoad", "bSave", "lInfo", "eInfo"})
        EXPECT_TRUE(h.shown(shown)) << shown;
}

TEST(SlotRow, StoredSlotsAreSkyBlueWithTheirNamesAndTheFirmwareVersion)
{
    DriverForm d;
    d.storeSlot(1, sampleImage(), QStringLiteral("Lamp"));
    d.storeSlot(3, sampleImage(), QString()); // name bytes stay 0xFF: no name
    Bytes block = d.at(0xFF80, 128);
    writeFirmwareEntry(block, 72, 3000);
    d.driver().setBytes(0xFF80, block);
    FormHarness& h = d.start();

    EXPECT_EQ(d.colour(1), bgr(clSkyBlue));
    EXPECT_EQ(d.slot(1)->toolTip(), "Info: Lamp    ");
    EXPECT_EQ(d.colour(2), bgr(clLime));
    EXPECT_EQ(d.colour(3), bgr(clSkyBlue));
    EXPECT_TRUE(d.slot(3)->toolTip().isEmpty());
    EXPECT_TRUE(h.shown("iFW"));
    EXPECT_EQ(h.find<QLabel>("iFW")->toolTip(), "Version 1.72");
    EXPECT_EQ(h.form->state().driverFwVersion, 72);
    EXPECT_EQ(d.sent({0xAA, 0x55, 0xF2}), 3) << "the directory and two pages";
}

TEST(SlotRow, StoredSlotIsUnpackedWithItsAstroDataZeroed)
{
    for (bool copyAstro : {false, true}) {
        DriverForm d;
        d.storeSlot(4, sampleImage(), QStringLiteral("Lamp"));
        FormHarness& h = d.start(copyAstro ? QStringList{"-copyAstro"} : QStringList{});
        d.choose(4);
        const Bytes stored = sampleImage();
        EXPECT_TRUE(std::equal(stored.begin(), stored.begin() + img::astroData, h.image().begin()));
        EXPECT_EQ(h.image()[img::astroData + 8], copyAstro ? 0x68 : 0) << "copyAstro " << copyAstro;
        EXPECT_EQ(h.find<QLineEdit>("eInfo")->text(), "Lamp    ");
        EXPECT_EQ(h.find<QLabel>("lPO_Level")->text(), "L=80%");
        EXPECT_EQ(h.find<QLabel>("lMinLevel")->text(), "Min. Level=10%");
    }
}

TEST(SlotRow, ANamelessSlotKeepsTheInfoTextAndBytes96OnKeepTheEarlierImage)
{
    DriverForm d;
    d.storeSlot(1, sampleImage(90), QStringLiteral("One"));
    d.storeSlot(2, sampleImage(40), QString());
    FormHarness& h = d.start();
    d.choose(1);
    h.image()[100] = 0x42; // edited beyond what a slot stores
    h.click("bMemCancel");
    h.find<QLineEdit>("eInfo")->setText(QStringLiteral("typed"));
    d.choose(2);
    EXPECT_EQ(h.image()[img::poLevel], 40);
    EXPECT_EQ(h.image()[100], 0x42);
    EXPECT_EQ(h.find<QLineEdit>("eInfo")->text(), "typed");
}

TEST(SlotRow, CancelGoesBackToTheChoiceAndDropsTheCurve)
{
    DriverForm d;
    d.storeSlot(1, sampleImage(), QStringLiteral("One"));
    FormHarness& h = d.start({"-set60Hz"});
    d.choose(1);
    EXPECT_TRUE(h.shown("l60Hz"));
    d.chooseHalvingCurve(1);
    h.form->state().dcApplied = true;

    h.form->state().formDisabled = true; // a panel is open
    h.click("bMemCancel");
    EXPECT_FALSE(h.shown("bM2")) << "ignored while a panel is open";

    h.form->state().formDisabled = false;
    h.click("bMemCancel");
    for (int k = 1; k <= 4; ++k) {
        EXPECT_TRUE(d.slot(k)->isVisibleTo(h.form.get())) << k;
        EXPECT_TRUE(d.slot(k)->isEnabled()) << k;
    }
    EXPECT_TRUE(h.find<QLineEdit>("eInfo")->text().isEmpty());
    for (const char* hidden : {"bMemStore", "bMemCancel", "eInfo", "l60Hz"})
        EXPECT_FALSE(h.shown(hidden)) << hidden;
    EXPECT_TRUE(h.form->state().formDisabled);
    EXPECT_EQ(h.form->state().sw.dcIndex, -1);
    EXPECT_FALSE(h.find<QCheckBox>("cbDC")->isChecked());
    EXPECT_FALSE(h.form->state().dcApplied);
}

TEST(SlotRow, SixtyHertzLabelNeedsTheFirmwareToBeLoaded)
{
    DriverForm d;
    FormHarness& h = d.start({"-set60Hz", "-skipFW"});
    d.choose(1);
    EXPECT_FALSE(h.shown("l60Hz"));
}

TEST(SlotRow, ChosenCurveIsUndoneOnTheSlotsLevels)
{
    DriverForm d;
    d.storeSlot(1, sampleImage(40), QStringLiteral("One"));
    FormHarness& h = d.start();
    d.chooseHalvingCurve(0);
    d.choose(1);
    // Stored 10 %: the highest input level that the curve maps to 10 is 21.
    EXPECT_EQ(h.image()[img::minLevel], 21);
    EXPECT_EQ(h.image()[img::poLevel], 81);
    EXPECT_TRUE(h.form->state().dcApplied);
}

TEST(SlotRow, DefaultAsksThenEmptiesTheChosenSlotInTheWindowOnly)
{
    DriverForm d;
    d.storeSlot(3, sampleImage(), QStringLiteral("Three"));
    d.storeSlot(4, sampleImage(), QStringLiteral("Four")); // its entry follows the cleared name
    FormHarness& h = d.start();
    d.choose(3);
    const Bytes directory = h.form->link().controlBlock;
    const Bytes image = h.image();

    h.click("bMemClear");
    EXPECT_EQ(h.platform.confirmations, QStringList{"Are youe sure?"});
    EXPECT_EQ(h.platform.beeps, 1);
    EXPECT_EQ(h.image(), image);

    h.platform.confirmAnswers = {true};
    h.click("bMemClear");
    EXPECT_TRUE(isDefault(h.image()));
    EXPECT_EQ(d.colour(3), bgr(clLime));
    EXPECT_TRUE(d.slot(3)->toolTip().isEmpty());
    EXPECT_EQ(h.find<QLineEdit>("eInfo")->text(), "Default");
    Bytes expected = directory;
    std::fill(expected.begin() + 40, expected.begin() + 48, 0xFF);
    EXPECT_EQ(h.form->link().controlBlock, expected);
    EXPECT_EQ(d.sent({0xAA, 0x55, 0xF1}), 0) << "nothing is written to the device";
}

TEST(SlotRow, DefaultInStickModeFillsTheRestWithErasedBytes)
{
    DriverForm d;
    FormHarness& h = d.start();
    d.choose(1);
    h.form->link().usbStick = true;
    h.image().assign(256, 0x11);
    h.platform.confirmAnswers = {true};
    h.click("bMemClear");
    EXPECT_TRUE(isDefault(h.image()));
    EXPECT_EQ(Bytes(h.image().begin() + 128, h.image().end()), Bytes(128, 0xFF));
}
