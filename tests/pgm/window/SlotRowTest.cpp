// The slot row in driver mode: the device's directory, choosing, "Cancel", "Default", "Transfer" (its failures: link).

#include "Harness.h"

#include "image/FirmwareText.h"
#include "image/TextFile.h"
#include "support/FirmwareTexts.h"

#include <QTemporaryDir>
#include <QTextDocument>

const QColor skyBlue(0xA6, 0xCA, 0xF0), lime(0x00, 0xFF, 0x00);

static bool isDefault(const Bytes& i) { return std::equal(defaultImage.begin(), defaultImage.end(), i.begin()); }

TEST(SlotRow, StoredSlotsAreSkyBlueAndAChoiceUnpacksTheSlot)
{
    DriverForm d;
    d.storeSlot(1, sampleImage(), QStringLiteral("A<B>C"));
    d.storeSlot(3, sampleImage(40), QString()); // name bytes stay 0xFF: no name
    Bytes block = d.at(0xFF80, 128);
    writeFirmwareEntry(block, 72, 3000);
    d.driver().setBytes(0xFF80, block);
    FormHarness& h = d.start({"-set60Hz"}, true);
    EXPECT_EQ(h.form->caption(), "Nolt");
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(d.slot(k)->palette().color(QPalette::Window), k % 2 ? skyBlue : lime) << k;
        EXPECT_EQ(d.slot(k)->text(), QStringLiteral("M%1").arg(k));
    }
    EXPECT_TRUE(d.slot(3)->toolTip().isEmpty());
    // The hint is read as Qt reads a tool tip: markup when it looks like markup.
    const QString tip = d.slot(1)->toolTip();
    QTextDocument hint;
    Qt::mightBeRichText(tip) ? hint.setHtml(tip) : hint.setPlainText(tip);
    EXPECT_EQ(hint.toPlainText(), "Info: A<B>C   ");
    EXPECT_EQ(h.find<QLabel>("iFW")->toolTip(), "Version 1.72");
    const QImage icon = h.find<QLabel>("iFW")->pixmap().toImage();
    EXPECT_TRUE(!icon.isNull() && icon.pixelColor(icon.width() / 2, icon.height() / 2).alpha() > 0)
        << "the firmware icon is drawn";
    EXPECT_FALSE(h.find("iFW")->isEnabled()) << "an icon, not a button: greyed as designed";
    EXPECT_EQ(h.state().driverFwVersion, 72);
    EXPECT_FALSE(h.state().firmware.fwUpdatePending) << "the driver has its firmware";
    EXPECT_TRUE(h.state().formDisabled && !h.shown("bMemStore")) << "only a slot choice is possible";
    EXPECT_FALSE(h.platform.busyCursor) << "the arrow once the slots are read";
    d.choose(1);
    EXPECT_TRUE(std::equal(h.image().begin(), h.image().begin() + img::astroData, sampleImage().begin()));
    EXPECT_EQ(h.image()[img::astroData + 8], 0) << "astro data zeroed without -copyAstro";
    EXPECT_EQ(h.text("eInfo"), "A<B>C   ");
    EXPECT_FALSE(h.state().formDisabled || d.slot(1)->isEnabled() || h.state().memSlot != 1);
    for (const char* hidden : {"bM2", "bM3", "bM4", "bErase", "bUpdateFw"})
        EXPECT_FALSE(h.shown(hidden)) << hidden;
    for (const char* shown :
         {"bM1", "bMemStore", "bMemCancel", "bMemClear", "bLoad", "bSave", "lInfo", "eInfo", "l60Hz"})
        EXPECT_TRUE(h.shown(shown)) << shown;
    // "Cancel" drops the chosen curve, but not while a panel is open.
    h.image()[100] = 0x42;
    h.click("iTen");
    h.tick("cbDC", true);
    h.click("bDCOk");
    EXPECT_TRUE(h.state().dcApplied && h.shown("pOutput"));
    h.click("bMemCancel");
    EXPECT_FALSE(h.shown("bM2"));
    h.click("bOutput_OK");
    h.click("bMemCancel");
    EXPECT_FALSE(h.find<QCheckBox>("cbDC")->isChecked() || h.state().dcApplied || h.state().sw.dcIndex != -1);
    for (int k = 1; k <= 4; ++k)
        EXPECT_TRUE(d.slot(k)->isVisibleTo(h.form.get()) && d.slot(k)->isEnabled()) << k;
    EXPECT_TRUE(h.text("eInfo").isEmpty() && h.state().formDisabled);
    for (const char* hidden : {"bMemStore", "bMemCancel", "eInfo", "l60Hz"})
        EXPECT_FALSE(h.shown(hidden)) << hidden;
    // A nameless slot keeps the info text (emptied by "Cancel"); bytes 96 on keep the earlier image.
    d.choose(3);
    EXPECT_EQ(h.image()[img::poLevel], 40);
    EXPECT_EQ(h.image()[100], 0x42);
    EXPECT_EQ(h.text("eInfo"), "");
    h.click("bMemCancel");
    d.choose(2);
    EXPECT_TRUE(isDefault(h.image())) << "an empty slot gives the factory image";
}

// "Default" asks, then empties the chosen slot in the window only; in stick mode the rest is erased bytes.
TEST(SlotRow, DefaultAsksThenEmptiesTheChosenSlotInTheWindowOnly)
{
    DriverForm d;
    d.storeSlot(1, sampleImage(), QStringLiteral("One"));
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
    EXPECT_TRUE(d.slot(3)->palette().color(QPalette::Window) == lime && d.slot(3)->toolTip().isEmpty());
    EXPECT_EQ(h.text("eInfo"), "Default");
    Bytes expected = directory;
    std::fill(expected.begin() + 40, expected.begin() + 48, 0xFF);
    EXPECT_EQ(h.form->link().controlBlock, expected);
    EXPECT_EQ(d.sent({0xAA, 0x55, 0xF1}), 0) << "nothing is written to the device";
    h.click("bMemCancel");
    d.choose(3);
    EXPECT_TRUE(isDefault(h.image()) && h.text("eInfo").isEmpty()) << "the slot stays empty, its name gone";
    h.click("bMemCancel");
    d.choose(1); // the first slot as well
    h.platform.confirmAnswers = {true, true};
    h.click("bMemClear");
    EXPECT_TRUE(d.slot(1)->palette().color(QPalette::Window) == lime && d.slot(1)->toolTip().isEmpty());
    h.form->link().usbStick = true;
    h.image().assign(256, 0x11);
    h.click("bMemClear");
    EXPECT_TRUE(isDefault(h.image()));
    EXPECT_EQ(Bytes(h.image().begin() + 128, h.image().end()), Bytes(128, 0xFF));
}

// What only the window adds to the store: the loaded firmware file, the curve (undone on the chosen slot's levels),
// the switches of the restart.
TEST(SlotRow, TransferWritesTheSlotAndTheLoadedFirmwareAndRestartsWithTheSwitchesAndTheCurve)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("fw.ktp");
    ASSERT_TRUE(writeTextLines(file, firmware200()).isEmpty());
    DriverForm d;
    d.storeSlot(2, sampleImage(), QStringLiteral("Old"));
    FormHarness& h = d.start({"-eraseAll", "-copyAstro", "-set60Hz", "-skipFW", "-dc=2", "x"}, true);
    d.choose(2);
    EXPECT_EQ(h.image()[img::minLevel], 21) << "the highest input level that the curve maps to the stored 10";
    EXPECT_EQ(h.image()[img::astroData + 8], 0x68) << "kept with -copyAstro";
    EXPECT_TRUE(h.shown("bErase") && !h.shown("l60Hz")) << "the 60 Hz label needs the firmware";
    h.click("iTen");
    EXPECT_EQ(h.find<QCheckBox>("cbDC")->text(), "c") << "the output panel names the curve of -dc=2";
    h.click("bOutput_Cancel");
    h.type("eInfo", QStringLiteral("Lamp"));
    h.platform.fileAnswers = {file};
    h.click("bLoad");
    EXPECT_EQ(h.find<QLabel>("iFW")->toolTip(), "Version 1.72");
    h.click("bMemStore");
    EXPECT_TRUE(h.platform.messages.isEmpty());
    EXPECT_EQ(h.platform.restarts, std::vector<QString>{" -eraseAll -copyAstro -set60Hz -skipFW x -dc=2"});
    EXPECT_EQ(d.at(0x4000 + 2 + img::minLevel, 1)[0], 10) << "levels leave through the curve";
    EXPECT_EQ(d.at(0xFFC0 + 3, 1)[0], 0x48) << "the firmware entry holds the file's version";
}

// M2's page comes short, also when read again: M2 is never offered, not after "Cancel" either; every slot
// offered shows the driver's configuration, and "Transfer" on M4 leaves the other pages as they were.
TEST(SlotRow, SlotWhosePageCouldNotBeReadIsNeverOffered)
{
    DriverForm d;
    const char* names[] = {"Lamp", "Road", "Park", "Yard"};
    for (int slot = 1; slot <= 4; ++slot) {
        Bytes image = sampleImage();
        image[img::minLevel] = static_cast<std::uint8_t>(11 * slot);
        d.storeSlot(slot, image, QString::fromLatin1(names[slot - 1]));
    }
    d.driver().faults.shortRead[0x4000] = 5;
    const std::vector<std::uint8_t> before = d.at(0, 0x10000);
    FormHarness& h = d.start();
    EXPECT_EQ(h.platform.messages, QStringList{"Could not read M2.\nPlug the driver in again."});
    EXPECT_EQ(d.slot(2)->toolTip(), "Could not be read");
    EXPECT_EQ(d.slot(2)->palette().color(QPalette::Window), skyBlue);
    for (int k = 1; k <= 4; ++k)
        EXPECT_TRUE(h.shown(QStringLiteral("bM%1").arg(k)) && d.slot(k)->isEnabled() == (k != 2)) << k;
    // Greyed, yet readable: inside its frame some pixels are much darker than the sky blue (a sum of 608).
    const QImage m2 = d.slot(2)->grab().toImage();
    int darkest = 3 * 255;
    for (int y = 4; y < m2.height() - 4; ++y)
        for (int x = 4; x < m2.width() - 4; ++x) {
            const QColor c = m2.pixelColor(x, y);
            darkest = std::min(darkest, c.red() + c.green() + c.blue());
        }
    EXPECT_LT(darkest, 520) << "M2's caption can be read";
    d.choose(1);
    EXPECT_EQ(h.text("lMinLevel"), "Min. Level=11%");
    h.click("bMemCancel");
    EXPECT_TRUE(d.slot(1)->isEnabled() && !d.slot(2)->isEnabled() && d.slot(4)->isEnabled());
    d.choose(4);
    EXPECT_EQ(h.text("lMinLevel"), "Min. Level=44%");
    EXPECT_EQ(h.text("eInfo"), "Yard    ");
    h.click("bMemStore");
    EXPECT_EQ(h.platform.restarts.size(), 1u);
    const std::vector<std::uint8_t> after = d.at(0, 0x10000);
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + 0xC000, before.begin())) << "M1 to M3 as they were";
    EXPECT_EQ(after[0xC000 + 2 + img::minLevel], 44);
}
