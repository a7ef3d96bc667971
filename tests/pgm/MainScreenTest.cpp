// The main screen drawn from the image.

#include "Harness.h"

using namespace nolt;
using namespace nolt::test;

namespace {

struct MainScreenTest : ::testing::Test {
    std::unique_ptr<FormHarness> h = FormHarness::started();

    void show(const Bytes& image)
    {
        std::copy(image.begin(), image.end(), h->image().begin());
        h->form->setDisplay();
    }
    Bytes withDefault(std::initializer_list<std::pair<int, std::uint8_t>> changes)
    {
        Bytes e(defaultImage.begin(), defaultImage.end());
        for (auto [at, value] : changes)
            e[at] = value;
        return e;
    }
    QString text(const char* name) { return h->find<QLabel>(name)->text(); }
};

} // namespace

TEST_F(MainScreenTest, DefaultImage)
{
    show(withDefault({}));
    EXPECT_FALSE(h->shown("Dali"));
    EXPECT_FALSE(h->shown("PWM"));
    EXPECT_TRUE(h->shown("iTen"));
    EXPECT_EQ(text("lMinLevel"), "Min. Level=0%");
    EXPECT_FALSE(h->shown("LST_dis")) << "LST timer on";
    EXPECT_FALSE(h->shown("dm2_dis"));
    EXPECT_FALSE(h->shown("Astro_dis")) << "ISD on";
    EXPECT_FALSE(h->shown("dm1_dis"));
    EXPECT_TRUE(h->shown("HOLD_dis")) << "hold time off";
    EXPECT_TRUE(h->shown("sw_hold_off"));
    EXPECT_FALSE(h->shown("lHold"));
    EXPECT_TRUE(h->shown("Block_dis"));
    EXPECT_FALSE(h->shown("lBlock"));
    EXPECT_TRUE(h->shown("MFF_dis"));
    EXPECT_TRUE(h->shown("rem_dis"));
    EXPECT_TRUE(h->shown("rc_off"));
    EXPECT_FALSE(h->shown("lRemote"));
    EXPECT_TRUE(h->shown("iTM_dis"));
    EXPECT_TRUE(h->shown("sw_tm_off"));
    EXPECT_EQ(text("lPO_Level"), "L=100%");
    EXPECT_EQ(text("lPO_Delay"), "D=Random");
    EXPECT_EQ(text("lPO_Fade"), "F=0");
}

TEST_F(MainScreenTest, OutputModeFollowsTheImage)
{
    show(withDefault({{img::featureFlags, 0x0C | img::outputPwm}}));
    EXPECT_TRUE(h->shown("PWM"));
    EXPECT_TRUE(h->shown("SW_PWM"));
    EXPECT_FALSE(h->shown("Dali"));
    show(withDefault({{img::featureFlags, 0x0C | img::outputDaliLinear}}));
    EXPECT_TRUE(h->shown("Dali"));
    EXPECT_TRUE(h->shown("SW_DALI"));
    EXPECT_FALSE(h->shown("PWM"));
    EXPECT_FALSE(h->shown("SW_PWM"));
}

TEST_F(MainScreenTest, LstPolarityIsChosenEvenWhileTheTimerIsOff)
{
    show(withDefault({{img::featureFlags, 0x04 | 0x10}})); // off, inverted
    EXPECT_TRUE(h->shown("LST_dis"));
    EXPECT_TRUE(h->shown("iLST_pol"));
    show(withDefault({{img::featureFlags, 0x0C}})); // on, normal
    EXPECT_FALSE(h->shown("iLST_pol"));
    EXPECT_TRUE(h->shown("iLst_en"));
    EXPECT_FALSE(h->shown("LST_dis"));
}

TEST_F(MainScreenTest, HoldTimeShowsOnlyWithTheLstTimer)
{
    show(withDefault({{img::holdTime, 70}}));
    EXPECT_TRUE(h->shown("lHold"));
    EXPECT_EQ(text("lHold"), "00:01:00");
    EXPECT_FALSE(h->shown("HOLD_dis"));
    show(withDefault({{img::featureFlags, 0x04}, {img::holdTime, 70}}));
    EXPECT_TRUE(h->shown("HOLD_dis"));
    EXPECT_TRUE(h->shown("SW_hold_dis"));
}

TEST_F(MainScreenTest, UnusedFirstStepSwitchesItsEngineOffInTheImage)
{
    show(withDefault({{img::dim2FirstLevel, 0xFF}, {img::dim1FirstLevel, 0xFF}}));
    EXPECT_EQ(h->image()[img::featureFlags], 0x00);
    EXPECT_TRUE(h->shown("LST_dis"));
    EXPECT_TRUE(h->shown("Astro_dis"));
    EXPECT_TRUE(h->shown("dm1_dis"));
}

TEST_F(MainScreenTest, BlockTimeLabel)
{
    show(withDefault({{img::blockTime, 1}}));
    EXPECT_EQ(text("lBlock"), "00:00:05");
    EXPECT_TRUE(h->shown("SW_block_close"));
    EXPECT_FALSE(h->shown("sw_block_open"));
    show(withDefault({{img::blockTime, 255}}));
    EXPECT_EQ(text("lBlock"), "00:21:15");
    show(withDefault({{img::blockTime, 0}}));
    EXPECT_FALSE(h->shown("lBlock"));
    EXPECT_TRUE(h->shown("Block_dis"));
}

TEST_F(MainScreenTest, RemoteControlInputsAndFunctions)
{
    // 230 V input wins when both inputs are set; function none shows the
    // caption of the second radio button.
    show(withDefault({{img::featureFlags, 0x0C | 0x20 | 0x40}}));
    EXPECT_TRUE(h->shown("rc_main"));
    EXPECT_FALSE(h->shown("rc_lst"));
    EXPECT_FALSE(h->shown("rem_dis"));
    EXPECT_EQ(text("lRemote"), "MidNight Protect");
    EXPECT_FALSE(h->form->state().remoteDim);

    h->form->state().formDisabled = true; // the remote panel is not opened here
    show(withDefault({{img::featureFlags, 0x0C | 0x40}, {img::optionFlags, 0x21}}));
    EXPECT_TRUE(h->shown("rc_lst"));
    EXPECT_EQ(text("lRemote"), "Remote DIM");
    EXPECT_TRUE(h->form->state().remoteDim);

    show(withDefault({{img::featureFlags, 0x0C | 0x20}, {img::optionFlags, 0x11}}));
    EXPECT_EQ(text("lRemote"), "MidNight");

    show(withDefault({}));
    EXPECT_FALSE(h->form->state().remoteDim);
    EXPECT_FALSE(h->shown("lRemote"));
}

TEST_F(MainScreenTest, PowerOnLabels)
{
    show(withDefault({{img::poDelay, 70}, {img::poFade, 196}, {img::poLevel, 42}}));
    EXPECT_EQ(text("lPO_Delay"), "D=00:01:00");
    EXPECT_EQ(text("lPO_Fade"), "F=03,600");
    EXPECT_EQ(text("lPO_Level"), "L=42%");
    show(withDefault({{img::poDelay, 0}}));
    EXPECT_EQ(text("lPO_Delay"), "D=0");
}

TEST_F(MainScreenTest, AnyByteValueIsDrawnWithoutFailing)
{
    for (int v : {0x00, 0x7F, 0x80, 0xFE, 0xFF}) {
        Bytes e(img::imageSize, static_cast<std::uint8_t>(v));
        show(e);
        EXPECT_TRUE(h->shown("lMinLevel")) << v;
    }
}
