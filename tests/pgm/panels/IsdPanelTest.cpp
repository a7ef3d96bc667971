// The ISD switch and panel: offset, DST, Auto DST and what the calculators
// hand back. Byte 0 0x0C: LST timer and ISD on; byte 68 0x01: DST off.

#include "PanelTesting.h"

#include "pgm/panels/IsdTarget.h"

using namespace nolt;
using namespace nolt::test;

namespace {

struct IsdPanelTest : PanelTest {
    void open(ByteChanges changes)
    {
        load(changes);
        clickOnScreen("iISD_en");
    }
    IsdTarget& target() const { return *dynamic_cast<IsdTarget*>(h->find("pISD")); }
};

} // namespace

// The offset byte counts two minutes, signed; every byte opens at its slider
// position and OK writes it back.
TEST_F(IsdPanelTest, OffsetRoundTripsAndSliderEnds)
{
    open({});
    EXPECT_TRUE(shown("pISD") && busy() && !ticked("cbDST") && !ticked("cbADSTEnable"));
    for (const char* n : {"eW2S", "eS2W", "Label14", "Label17", "bADSTCalc", "pISDSLider"})
        EXPECT_FALSE(shown(n)) << n;
    EXPECT_EQ(edit("eISDOffset"), "0");
    for (int byte = 0; byte < 256; ++byte) {
        open({{img::isdOffset, static_cast<std::uint8_t>(byte)}});
        const Bytes before = image();
        if (byte == 0x7F || byte == 0x80) {
            EXPECT_EQ(edit("eISDOffset"), byte == 0x7F ? "04:14:00" : "-04:16:00");
        }
        click("eISDOffset");
        EXPECT_EQ(slider("sbISD")->position(), (byte + 128) % 256) << byte;
        click("bISDOK");
        EXPECT_EQ(image(), before) << byte;
    }
    click("iISD_en");
    click("eISDOffset");
    EXPECT_TRUE(shown("pISDSLider") && edited("eISDOffset") && !edited("eW2S"));
    slide("sbISD", 0);
    EXPECT_EQ(edit("eISDOffset"), "-04:16:00");
    slide("sbISD", 113);
    EXPECT_EQ(edit("eISDOffset"), "-00:30:00");
}

// DST shifts the shown offset an hour back, within the slider's ends; stored
// with DST on, an offset opens unshifted.
TEST_F(IsdPanelTest, DstShiftsTheOffsetByAnHourWithinTheEnds)
{
    const struct { std::uint8_t offset, options; const char *first, *second; } cases[] = {
        {0, 0x01, "-01:00:00", "0"},
        {0x100 - 120, 0x01, "-04:16:00", "-03:16:00"},
        {120, 0x00, "04:14:00", "03:14:00"},
    };
    for (auto c : cases) {
        open({{img::isdOffset, c.offset}, {img::optionFlags, c.options}});
        click("cbDST");
        EXPECT_EQ(edit("eISDOffset"), c.first);
        click("cbDST");
        EXPECT_EQ(edit("eISDOffset"), c.second);
        click("bISDCancel");
    }
    open({});
    click("cbDST");
    click("bISDOK");
    EXPECT_EQ(differences(image(), with(Bytes(defaultImage.begin(), defaultImage.end()),
                                        {{img::isdOffset, 0x100 - 30}, {img::optionFlags, 0x00}})),
              "");
    clickOnScreen("iISD_en");
    EXPECT_TRUE(ticked("cbDST"));
    EXPECT_EQ(edit("eISDOffset"), "-01:00:00");
}

// Night lengths count five minutes, 05:00 (60) to 18:00 (216); Auto DST is
// on only with both in range, and OK clears the byte beside them.
TEST_F(IsdPanelTest, AutoDstNightLengths)
{
    open({{img::adstW2S, 60}, {img::adstS2W, 216}});
    EXPECT_TRUE(ticked("cbADSTEnable") && shown("bADSTCalc"));
    EXPECT_EQ(edit("eW2S") + " " + edit("eS2W"), "05:00 18:00");
    click("eS2W");
    EXPECT_EQ(slider("sbISD")->position(), 216);
    slide("sbISD", 0); // the left end: off
    EXPECT_EQ(edit("eS2W"), "0");
    slide("sbISD", 60);
    EXPECT_EQ(edit("eS2W"), "05:00");
    click("bISDOK");
    EXPECT_EQ(image()[img::adstS2W], 60);

    for (auto [w, on] : {std::pair{0, false}, {59, false}, {60, true}, {216, true}, {217, false}, {255, false}}) {
        open({{img::adstAux, 0x55}, {img::adstW2S, static_cast<std::uint8_t>(w)}, {img::adstS2W, 100}});
        EXPECT_EQ(ticked("cbADSTEnable"), on) << w;
        click("bISDOK");
        EXPECT_EQ(image()[img::adstAux], 0);
        EXPECT_EQ(image()[img::adstW2S], on ? w : 0) << w;
        EXPECT_EQ(image()[img::adstS2W], on ? 100 : 0) << w;
    }
}

TEST_F(IsdPanelTest, CalculatorResultsAndBinding)
{
    open({});
    click("cbADSTEnable");
    target().takeNightLength(true, "04:40");
    target().takeNightLength(false, "18:30");
    click("eS2W");
    click("eW2S"); // binding leaves the texts
    EXPECT_EQ(slider("sbISD")->position(), 59);
    EXPECT_EQ(edit("eW2S") + " " + edit("eS2W"), "04:40 18:30");

    target().takeOffset(-30);
    EXPECT_EQ(edit("eISDOffset"), "-00:30:00");
    click("cbDST"); // DST now moves the offset; strip and edit marks stay
    EXPECT_TRUE(shown("pISDSLider") && edited("eW2S") && !edited("eISDOffset"));
    target().takeOffset(-30);
    EXPECT_EQ(edit("eISDOffset"), "-01:30:00");
    target().takeOffset(-230);
    EXPECT_EQ(edit("eISDOffset"), "-04:16:00");
    click("bISDOK");
    EXPECT_EQ(image()[img::isdOffset], 0x80);
    EXPECT_EQ(image()[img::adstW2S], 0) << "04:40 lies below 05:00: Auto DST off";
}

// Off greys ISD and its tile; on is refused while Remote DIM holds.
TEST_F(IsdPanelTest, SwitchAndTile)
{
    clickOnScreen("SW_astro_close");
    EXPECT_EQ(image()[0], 0x08);
    EXPECT_TRUE(shown("Astro_dis") && shown("dm1_dis"));
    clickOnScreen("iISD_en"); // the grey overlay takes the click
    EXPECT_FALSE(shown("pISD"));
    h->state().remoteDim = true;
    clickOnScreen("sw_astro_open");
    EXPECT_EQ(image()[0], 0x08);
    h->state().remoteDim = false;
    clickOnScreen("sw_astro_open");
    EXPECT_EQ(image()[0], 0x0C);
    EXPECT_FALSE(shown("Astro_dis"));
}
