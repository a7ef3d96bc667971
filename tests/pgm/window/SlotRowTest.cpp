// The memory-slot row in driver mode: slots listed from the device's directory, choosing one, "Cancel"
// and "Default".

#include "DriverForm.h"

using namespace nolt;
using namespace nolt::test;

namespace {

const QColor skyBlue(0xA6, 0xCA, 0xF0), lime(0x00, 0xFF, 0x00);

bool isDefault(const Bytes& image)
{
    return std::equal(defaultImage.begin(), defaultImage.end(), image.begin());
}

} // namespace

TEST(SlotRow, StoredSlotsAreSkyBlueAndAChoiceUnpacksTheSlot)
{
    DriverForm d;
    d.storeSlot(1, sampleImage(), QStringLiteral("Lamp"));
    d.storeSlot(3, sampleImage(40), QString()); // name bytes stay 0xFF: no name
    Bytes block = d.at(0xFF80, 128);
    writeFirmwareEntry(block, 72, 3000);
    d.driver().setBytes(0xFF80, block);
    FormHarness& h = d.start();
    EXPECT_EQ(h.form->caption(), "Nolt");
    for (int k = 1; k <= 4; ++k) {
        EXPECT_TRUE(d.slot(k)->isVisibleTo(h.form.get())) << k;
        EXPECT_EQ(d.colour(k), k % 2 ? skyBlue : lime) << k;
        EXPECT_EQ(d.slot(k)->toolTip(), k == 1 ? "Info: Lamp    " : "") << k;
    }
    EXPECT_EQ(h.find<QLabel>("iFW")->toolTip(), "Version 1.72");
    EXPECT_EQ(h.state().driverFwVersion, 72);
    EXPECT_FALSE(h.shown("bMemStore"));
    EXPECT_TRUE(h.state().formDisabled) << "only a slot choice is possible";
    EXPECT_EQ(d.sent({0xAA, 0x55, 0xF2}), 3) << "the directory and the two stored pages";

    d.choose(2);
    EXPECT_TRUE(isDefault(h.image())) << "an empty slot gives the factory image";
    EXPECT_FALSE(h.state().formDisabled);
    EXPECT_EQ(h.state().memSlot, 2);
    EXPECT_TRUE(h.shown("bM2"));
    EXPECT_FALSE(d.slot(2)->isEnabled());
    for (const char* hidden : {"bM1", "bM3", "bM4", "bErase", "bUpdateFw", "l60Hz"})
        EXPECT_FALSE(h.shown(hidden)) << hidden;
    for (const char* shown : {"bMemStore", "bMemCancel", "bMemClear", "bLoad", "bSave", "lInfo", "eInfo"})
        EXPECT_TRUE(h.shown(shown)) << shown;

    h.click("bMemCancel");
    d.choose(1);
    const Bytes stored = sampleImage();
    EXPECT_TRUE(std::equal(stored.begin(), stored.begin() + img::astroData, h.image().begin()));
    EXPECT_EQ(h.image()[img::astroData + 8], 0) << "astro data zeroed without -copyAstro";
    EXPECT_EQ(h.text("eInfo"), "Lamp    ");
    EXPECT_EQ(h.text("lPO_Level"), "L=80%");
    EXPECT_EQ(h.text("lMinLevel"), "Min. Level=10%");

    // A nameless slot keeps the typed info text; bytes 96 on keep the earlier image.
    h.image()[100] = 0x42;
    h.click("bMemCancel");
    h.find<QLineEdit>("eInfo")->setText(QStringLiteral("typed"));
    d.choose(3);
    EXPECT_EQ(h.image()[img::poLevel], 40);
    EXPECT_EQ(h.image()[100], 0x42);
    EXPECT_EQ(h.text("eInfo"), "typed");
}

TEST(SlotRow, CancelGoesBackToTheChoiceAndDropsTheCurve)
{
    DriverForm d;
    d.storeSlot(1, sampleImage(), QStringLiteral("One"));
    FormHarness& h = d.start({"-set60Hz"});
    d.choose(1);
    EXPECT_TRUE(h.shown("l60Hz"));
    d.chooseHalvingCurve(1);
    h.state().dcApplied = true;
    h.state().formDisabled = true; // a panel is open
    h.click("bMemCancel");
    EXPECT_FALSE(h.shown("bM2")) << "ignored while a panel is open";

    h.state().formDisabled = false;
    h.click("bMemCancel");
    for (int k = 1; k <= 4; ++k)
        EXPECT_TRUE(d.slot(k)->isVisibleTo(h.form.get()) && d.slot(k)->isEnabled()) << k;
    EXPECT_TRUE(h.text("eInfo").isEmpty());
    for (const char* hidden : {"bMemStore", "bMemCancel", "eInfo", "l60Hz"})
        EXPECT_FALSE(h.shown(hidden)) << hidden;
    EXPECT_TRUE(h.state().formDisabled);
    EXPECT_EQ(h.state().sw.dcIndex, -1);
    EXPECT_FALSE(h.find<QCheckBox>("cbDC")->isChecked());
    EXPECT_FALSE(h.state().dcApplied);
}

// The 60 Hz label needs the firmware to be loaded; -copyAstro keeps the slot's astro data.
TEST(SlotRow, SixtyHertzLabelNeedsTheFirmwareToBeLoaded)
{
    DriverForm d;
    d.storeSlot(4, sampleImage(), QStringLiteral("Lamp"));
    FormHarness& h = d.start({"-set60Hz", "-skipFW", "-copyAstro"});
    d.choose(4);
    EXPECT_FALSE(h.shown("l60Hz"));
    EXPECT_EQ(h.image()[img::astroData + 8], 0x68);
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
    EXPECT_TRUE(h.state().dcApplied);
}

// "Default" asks, then empties the chosen slot in the window only; in stick mode the rest is erased bytes.
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

    h.platform.confirmAnswers = {true, true};
    h.click("bMemClear");
    EXPECT_TRUE(isDefault(h.image()));
    EXPECT_EQ(d.colour(3), lime);
    EXPECT_TRUE(d.slot(3)->toolTip().isEmpty());
    EXPECT_EQ(h.text("eInfo"), "Default");
    Bytes expected = directory;
    std::fill(expected.begin() + 40, expected.begin() + 48, 0xFF);
    EXPECT_EQ(h.form->link().controlBlock, expected);
    EXPECT_EQ(d.sent({0xAA, 0x55, 0xF1}), 0) << "nothing is written to the device";

    h.form->link().usbStick = true;
    h.image().assign(256, 0x11);
    h.click("bMemClear");
    EXPECT_TRUE(isDefault(h.image()));
    EXPECT_EQ(Bytes(h.image().begin() + 128, h.image().end()), Bytes(128, 0xFF));
}
