// The ISD switch and panel: offset, DST, Auto DST and what the calculators
// hand back.

#include "PanelTesting.h"

#include "pgm/panels/IsdTarget.h"

#include <QCheckBox>

using namespace nolt;
using namespace nolt::test;

namespace {

constexpr std::uint8_t isdOn = 0x0C, isdOff = 0x08; // feature flags, LST on

struct IsdPanelTest : PanelTest {
    void open(ByteChanges changes)
    {
        load(changes);
        clickOnScreen("iISD_en");
    }
    QString text(const char* name) { return edit(name); }
    QCheckBox* dst() { return h->find<QCheckBox>("cbDST"); }
    QCheckBox* autoDst() { return h->find<QCheckBox>("cbADSTEnable"); }
    ScrollBar* slider() { return h->find<ScrollBar>("sbISD"); }
    IsdTarget& target() { return *dynamic_cast<IsdTarget*>(h->find("pISD")); }
};

} // namespace

TEST_F(IsdPanelTest, DefaultImageOpensWithEverythingOff)
{
    open({});
    EXPECT_TRUE(h->shown("pISD") && h->form->state().formDisabled);
    EXPECT_FALSE(dst()->isChecked() || autoDst()->isChecked());
    EXPECT_EQ(text("eISDOffset"), "0");
    for (const char* n : {"eW2S", "eS2W", "Label14", "Label17", "bADSTCalc", "pISDSLider"})
        EXPECT_FALSE(h->shown(n)) << n;
}

TEST_F(IsdPanelTest, OffsetRoundTripsAndSliderEnds)
{
    const std::pair<std::uint8_t, const char*> shown[] = {{0x80, "-04:16:00"}, {0x7F, "04:14:00"}, {0, "0"}};
    for (auto [byte, offset] : shown) {
        open({{img::isdOffset, byte}});
        EXPECT_EQ(text("eISDOffset"), offset);
        h->click("bISDCancel");
    }
    for (int byte = 0; byte < 256; ++byte) {
        open({{img::isdOffset, static_cast<std::uint8_t>(byte)}});
        const Bytes before = h->image();
        h->click("eISDOffset");
        EXPECT_EQ(slider()->position(), (byte + 128) & 0xFF) << byte;
        h->click("bISDOK");
        EXPECT_EQ(h->image(), before) << byte;
    }
    open({});
    h->click("eISDOffset");
    EXPECT_TRUE(h->shown("pISDSLider") && edited("eISDOffset") && !edited("eW2S"));
    slider()->setPosition(0);
    EXPECT_EQ(text("eISDOffset"), "-04:16:00");
    slider()->setPosition(113);
    EXPECT_EQ(text("eISDOffset"), "-00:30:00");
}

TEST_F(IsdPanelTest, DstShiftsTheOffsetByAnHourWithinTheEnds)
{
    open({});
    dst()->click();
    EXPECT_EQ(text("eISDOffset"), "-01:00:00");
    dst()->click();
    EXPECT_EQ(text("eISDOffset"), "0");
    dst()->click();
    Bytes expected = h->image();
    expected[img::isdOffset] = 0x100 - 30;
    expected[img::optionFlags] = 0x00; // dstOff cleared
    h->click("bISDOK");
    EXPECT_EQ(h->image(), expected);
    clickOnScreen("iISD_en");
    EXPECT_TRUE(dst()->isChecked());
    EXPECT_EQ(text("eISDOffset"), "-01:00:00") << "stored with DST: shown unshifted";
    h->click("bISDCancel");

    const struct { std::uint8_t offset, options; const char* first; const char* second; } ends[] = {
        {0x100 - 120, 0x01, "-04:16:00", "-03:16:00"}, {120, 0x00, "04:14:00", "03:14:00"}};
    for (auto c : ends) {
        open({{img::isdOffset, c.offset}, {img::optionFlags, c.options}});
        dst()->click();
        EXPECT_EQ(text("eISDOffset"), c.first);
        dst()->click();
        EXPECT_EQ(text("eISDOffset"), c.second);
        h->click("bISDCancel");
    }
}

TEST_F(IsdPanelTest, AutoDstNightLengths)
{
    open({{img::adstW2S, 60}, {img::adstS2W, 216}});
    const Bytes before = h->image();
    EXPECT_TRUE(autoDst()->isChecked() && h->shown("bADSTCalc"));
    EXPECT_EQ(text("eW2S"), "05:00");
    EXPECT_EQ(text("eS2W"), "18:00");
    h->click("eS2W");
    EXPECT_EQ(slider()->position(), 216);
    slider()->setPosition(0); // the left end: off
    EXPECT_EQ(text("eS2W"), "0");
    slider()->setPosition(60);
    EXPECT_EQ(text("eS2W"), "05:00");
    h->click("bISDOK");
    Bytes expected = before;
    expected[img::adstS2W] = 60;
    EXPECT_EQ(h->image(), expected);

    for (int w = 0; w < 256; ++w) {
        open({{img::adstAux, 0x55}, {img::adstW2S, static_cast<std::uint8_t>(w)}, {img::adstS2W, 100}});
        expected = h->image();
        const bool valid = w >= 60 && w <= 216;
        expected[img::adstAux] = 0;
        expected[img::adstW2S] = valid ? w : 0;
        expected[img::adstS2W] = valid ? 100 : 0;
        EXPECT_EQ(autoDst()->isChecked(), valid) << w;
        h->click("bISDOK");
        EXPECT_EQ(h->image(), expected) << w;
    }
}

TEST_F(IsdPanelTest, CalculatorResultsAndBinding)
{
    open({});
    autoDst()->click();
    target().takeNightLength(true, "04:40");
    target().takeNightLength(false, "18:30");
    h->click("eS2W");
    h->click("eW2S"); // binding leaves the texts
    EXPECT_EQ(slider()->position(), 59);
    EXPECT_EQ(text("eW2S"), "04:40");
    EXPECT_EQ(text("eS2W"), "18:30");

    target().takeOffset(-30);
    EXPECT_EQ(text("eISDOffset"), "-00:30:00");
    dst()->click(); // DST now moves the offset; strip and colours stay
    EXPECT_TRUE(h->shown("pISDSLider") && edited("eW2S") && !edited("eISDOffset"));
    target().takeOffset(-30);
    EXPECT_EQ(text("eISDOffset"), "-01:30:00");
    target().takeOffset(-230);
    EXPECT_EQ(text("eISDOffset"), "-04:16:00");
    h->click("bISDOK");
    EXPECT_EQ(h->image()[img::isdOffset], 0x80);
    EXPECT_EQ(h->image()[img::adstW2S], 0) << "04:40 lies below 05:00: Auto DST off";
}

TEST_F(IsdPanelTest, SwitchAndTile)
{
    load({});
    clickOnScreen("SW_astro_close");
    EXPECT_EQ(h->image()[0], isdOff);
    EXPECT_TRUE(h->shown("Astro_dis") && h->shown("dm1_dis"));
    clickOnScreen("iISD_en"); // the grey overlay takes the click
    EXPECT_FALSE(h->shown("pISD"));
    h->form->state().remoteDim = true;
    clickOnScreen("sw_astro_open");
    EXPECT_EQ(h->image()[0], isdOff);
    h->form->state().remoteDim = false;
    clickOnScreen("sw_astro_open");
    EXPECT_EQ(h->image()[0], isdOn);
    EXPECT_FALSE(h->shown("Astro_dis"));
}
