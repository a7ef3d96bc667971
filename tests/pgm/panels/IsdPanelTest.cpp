// The ISD switch and panel. Byte 0 0x0C: LST timer and ISD on; byte 68 0x01: DST off.

#include "PanelTesting.h"

using IsdPanelTest = PanelTest;

// The offset byte counts two minutes, signed, and round-trips; DST shifts the shown offset an hour within
// the ends; stored with DST on, it opens unshifted.
TEST_F(IsdPanelTest, OffsetRoundTripsAndDstShifts)
{
    play({{{{img::isdOffset, 0}}, {"@iISD_en", "?pISD", "eISDOffset", "?pISDSLider", "sbISD==128", "bISDOK"}},
          {{{img::isdOffset, 127}}, {"iISD_en", "eISDOffset", "sbISD==255", "bISDOK"}},
          {{{img::isdOffset, 128}}, {"iISD_en", "eISDOffset", "sbISD==0", "bISDOK"}},
          {{{img::isdOffset, 255}}, {"iISD_en", "eISDOffset", "sbISD==127", "bISDOK"}},
          {{}, {"iISD_en", "cbDST==-", "!eW2S", "!bADSTCalc", "eISDOffset", "sbISD=0", "eISDOffset==-04:16:00",
                "sbISD=113", "eISDOffset==-00:30:00", "cbDST", "eISDOffset==-01:30:00", "bISDCancel"}},
          {{{img::isdOffset, 120}, {img::optionFlags, 0}},
           {"iISD_en", "cbDST", "eISDOffset==04:14:00", "cbDST", "eISDOffset==03:14:00", "bISDCancel"}},
          {{}, {"iISD_en", "cbDST", "bISDOK", "iISD_en", "cbDST==+", "eISDOffset==-01:00:00", "bISDCancel"},
           {{img::isdOffset, 0x100 - 30}, {img::optionFlags, 0x00}}}});
    act({"iISD_en", "eISDOffset", "sbISD=255", "eISDOffset==04:14:00"});
    EXPECT_TRUE(edited("eISDOffset") && !edited("eW2S"));
}

// Night lengths 05:00 (60) to 18:00 (216), the slider's step below them "0" (off), else Auto DST off; OK clears the
// byte beside them.
TEST_F(IsdPanelTest, AutoDstNightLengths)
{
    play({{{{img::adstW2S, 60}, {img::adstS2W, 216}},
           {"iISD_en", "cbADSTEnable==+", "?bADSTCalc", "eW2S==05:00", "eS2W==18:00", "eS2W", "sbISD==216", "sbISD=0",
            "eS2W==0", "sbISD=60", "eS2W==05:00", "sbISD=59", "eS2W==0", "sbISD=60", "eW2S", "sbISD==60",
            "sbISD=62", "eW2S==05:10", "eS2W==05:00", "bISDOK"},
           {{img::adstW2S, 62}, {img::adstS2W, 60}}}});
    for (auto [w, on] : {std::pair{0, false}, {59, false}, {60, true}, {216, true}, {217, false}, {255, false}}) {
        load({{img::adstAux, 0x55}, {img::adstW2S, static_cast<std::uint8_t>(w)}, {img::adstS2W, 100}});
        click("iISD_en");
        EXPECT_EQ(ticked("cbADSTEnable"), on) << w;
        click("bISDOK");
        const Bytes i = image();
        EXPECT_EQ(std::tuple(i[img::adstAux], i[img::adstW2S], i[img::adstS2W]),
                  std::tuple(0, on ? w : 0, on ? 100 : 0)) << w;
    }
}

// Off greys ISD and its tile (refusing it under Remote DIM: the remote-control test).
TEST_F(IsdPanelTest, SwitchAndTile)
{
    play({{{}, {"@SW_astro_close", "?Astro_dis", "?dm1_dis", "@iISD_en", "!pISD"}, {{0, 0x08}}}, // the overlay takes it
          {{{0, 0x08}}, {"@sw_astro_open", "!Astro_dis"}, {{0, 0x0C}}}});
}
