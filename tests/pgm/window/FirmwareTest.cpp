// The built-in firmware image at start-up, and the firmware icon.

#include "DriverForm.h"

#include "image/FirmwareText.h"
#include "pgm/window/Firmware.h"

using namespace nolt;
using namespace nolt::test;

namespace {

QByteArray builtIn(int version)
{
    return makeFirmwareText(std::vector<std::uint8_t>(1000, 0x3C), 1000, version).join("\r\n").toLatin1() + "\r\n";
}

} // namespace

TEST(Firmware, BuiltInImageIsPendingUnlessTheDriverHasItsVersion)
{
    for (int recorded : {0, 5}) {
        DriverForm d;
        FormHarness& h = d.start();
        h.form->state().driverFwVersion = recorded;
        applyBuiltInFirmware(*h.form, builtIn(5));
        const FirmwareState& fw = h.form->state().firmware;
        EXPECT_EQ(fw.fwUpdatePending, recorded != 5);
        EXPECT_EQ(fw.fwLength, 1000);
        EXPECT_EQ(fw.fwImageVersion, 5);
        EXPECT_EQ(fw.fwImage[999], 0x3C);
        EXPECT_TRUE(h.shown("iFW"));
        EXPECT_EQ(h.find<QLabel>("iFW")->toolTip(), recorded == 5 ? "Version 1.5" : "Version 1.5 (Update!)");
    }
}

TEST(Firmware, UnsoundBuiltInImageIsIgnoredSilently)
{
    DriverForm d;
    FormHarness& h = d.start();
    QByteArray text = builtIn(5);
    text[20] = text[20] == '3' ? '4' : '3'; // a data digit: the CRC no longer fits
    applyBuiltInFirmware(*h.form, text);
    EXPECT_TRUE(h.form->state().firmware.fwImage.empty());
    EXPECT_FALSE(h.shown("iFW"));
    EXPECT_TRUE(h.platform.messages.isEmpty());
}

TEST(Firmware, ProgramWithoutBuiltInImagesLoadsNothing)
{
    if (builtInFirmwareText(false) || builtInFirmwareText(true))
        GTEST_SKIP() << "this build carries firmware images";
    DriverForm d;
    FormHarness& h = d.start({"-set60Hz"});
    EXPECT_TRUE(h.form->state().firmware.fwImage.empty());
    EXPECT_FALSE(h.form->state().firmware.fwUpdatePending);
    EXPECT_FALSE(h.shown("iFW"));
}
