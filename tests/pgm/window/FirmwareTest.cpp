// The built-in firmware image at start-up, and the firmware icon.

#include "DriverForm.h"

#include "image/FirmwareText.h"
#include "pgm/window/Firmware.h"

using namespace nolt;
using namespace nolt::test;

// Pending unless the driver has its version; an image whose CRC does not fit is ignored silently.
TEST(Firmware, BuiltInImageIsPendingUnlessTheDriverHasItsVersion)
{
    const QByteArray text =
        makeFirmwareText(std::vector<std::uint8_t>(1000, 0x3C), 1000, 5).join("\r\n").toLatin1() + "\r\n";
    for (int recorded : {0, 5, -1}) {
        DriverForm d;
        FormHarness& h = d.start();
        h.state().driverFwVersion = recorded;
        QByteArray builtIn = text;
        if (recorded < 0)
            builtIn[20] = builtIn[20] == '3' ? '4' : '3'; // a data digit
        applyBuiltInFirmware(*h.form, builtIn);
        const FirmwareState& fw = h.state().firmware;
        EXPECT_EQ(fw.fwUpdatePending, recorded == 0);
        EXPECT_EQ(h.shown("iFW"), recorded >= 0);
        EXPECT_TRUE(h.platform.messages.isEmpty());
        EXPECT_EQ(fw.fwLength, recorded < 0 ? 0 : 1000);
        EXPECT_EQ(fw.fwImage.empty(), recorded < 0);
        if (recorded >= 0) {
            EXPECT_EQ(fw.fwImageVersion, 5);
            EXPECT_EQ(h.find<QLabel>("iFW")->toolTip(), recorded == 5 ? "Version 1.5" : "Version 1.5 (Update!)");
        }
    }
}
