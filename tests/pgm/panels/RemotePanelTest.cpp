// The remote control. Byte 0: 0x20 230 V input, 0x40 LST input, 0x0C LST timer and ISD on.
// Byte 68: the function in the high nibble; the other bits 0x0B below it stay.

#include "PanelTesting.h"

#include <QGroupBox>

namespace {

struct RemotePanelTest : PanelTest {
    static ByteChanges bytes(std::uint8_t f, std::uint8_t o) { return {{img::featureFlags, f}, {img::optionFlags, o}}; }
    QString caption() const { return h->find<QGroupBox>("gbRemote")->title(); }
};

} // namespace

// Off -> 230 V -> LST names the input and writes nothing; OK with Remote DIM keeps the LST timer and ISD off
// until the switch goes off, which clears both inputs and the function.
TEST_F(RemotePanelTest, SwitchCyclesAndOkWritesFunctionAndInput)
{
    load({{img::optionFlags, 0x0B}});
    const Bytes before = image();
    act({"@rc_off", "?rc_main", "!rem_dis"});
    EXPECT_EQ(caption(), "Remote Control, Input=230V");
    act({"@rc_main", "?rc_lst", "!rc_main", "@iRemote_en"});
    EXPECT_EQ(caption(), "Remote Control, Input=LST");
    EXPECT_EQ(differences(image(), before), "");
    act({"rbRemote", "bRC_OK", "lRemote==Remote DIM", "?LST_dis", "?Astro_dis", "@sw_lst_open", "@sw_astro_open"});
    EXPECT_EQ(differences(image(), with(before, bytes(0x40, 0x2B))), "");
    act({"@rc_lst", "?LST_dis", "?Astro_dis", "@sw_lst_open", "@sw_astro_open"}); // switched on again
    EXPECT_EQ(differences(image(), before), "");
    play({{bytes(0x6C, 0x3B), {"@rc_main", "@rc_lst", "?rc_off", "!rc_lst", "?rem_dis", "!lRemote"}, bytes(0x0C, 0x0B)}});
}

// Switched on from off, OK on the 230 V input writes that input with the function chosen.
TEST_F(RemotePanelTest, OkOnThe230VInputWritesIt)
{
    play({{bytes(0x0C, 0x0B), {"@rc_off", "@iRemote_en", "rbMN", "bRC_OK", "lRemote==MidNight"}, bytes(0x2C, 0x1B)},
          {bytes(0x0C, 0x0B),
           {"@rc_off", "@iRemote_en", "rbRemote==-", "rbRemote", "bRC_OK", "lRemote==MidNight Protect", "?rc_main"},
           bytes(0x2C, 0x3B)}});
}

// On the LST input a refresh opens the panel naming that input; while busy only the buttons follow.
TEST_F(RemotePanelTest, RefreshOnTheLstInputOpensThePanel)
{
    clickOnScreen("rc_off");
    load(bytes(0x4C, 0x2B));
    EXPECT_TRUE(busy() && h->state().remoteDim && caption() == "Remote Control, Input=LST");
    act({"?pRemote", "rbRemote==+", "lRemote==Remote DIM", "@SW_astro_close", "@SW_lst_close", "bRemoteCancel"});
    EXPECT_EQ(differences(image(), with(Bytes(defaultImage.begin(), defaultImage.end()), bytes(0x4C, 0x2B))), "");
    h->state().formDisabled = true;
    load(bytes(0x4C, 0x1B));
    EXPECT_TRUE(!shown("pRemote") && !h->state().remoteDim && ticked("rbMN"));
}

// Any function nibble from a file: a known one ticks its button, others switch remote off.
TEST_F(RemotePanelTest, FunctionNibblesOnBothInputs)
{
    const struct { std::uint8_t flags, options; bool mn, remote, ok; std::uint8_t flagsAfter, optionsAfter; } rows[] = {
        {0x2C, 0x1B, true, false, true, 0x2C, 0x1B},  {0x2C, 0x2B, false, false, true, 0x0C, 0x0B},
        {0x2C, 0xFB, false, false, false, 0x0C, 0x0B}, {0x4C, 0x2B, false, true, true, 0x40, 0x2B},
        {0x4C, 0x5B, false, false, false, 0x0C, 0x0B}, {0x4C, 0x1B, true, false, false, 0x4C, 0x1B},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << int(r.flags) << " " << int(r.options) << " ok " << r.ok);
        h->state().formDisabled = true;
        load(bytes(r.flags, r.options));
        h->state().formDisabled = false;
        clickOnScreen("iRemote_en");
        EXPECT_EQ(std::pair(ticked("rbMN"), ticked("rbRemote")), std::pair(r.mn, r.remote));
        click(r.ok ? "bRC_OK" : "bRemoteCancel");
        const bool on = r.mn || r.remote; // else the switch shows off, without the function's label
        EXPECT_EQ(std::tuple(shown("lRemote"), shown("rc_main") || shown("rc_lst"), shown("rc_off")),
                  std::tuple(on, on, !on));
        const Bytes after = with(Bytes(defaultImage.begin(), defaultImage.end()), bytes(r.flagsAfter, r.optionsAfter));
        EXPECT_EQ(differences(image(), after), "");
    }
}

// The two functions exclude each other, also after the panel was filled from the image.
TEST_F(RemotePanelTest, FunctionsExcludeEachOther)
{
    load(bytes(0x2C, 0x1B)); // 230 V input, MidNight
    clickOnScreen("iRemote_en");
    act({"rbMN==+", "rbRemote", "rbRemote==+", "rbMN==-"});
    QWidget* mn = h->find("rbMN"); // on its button: the short caption lies left of the centre
    QTest::mouseClick(mn, Qt::LeftButton, {}, QPoint(8, mn->height() / 2));
    act({"rbMN==+", "rbRemote==-", "bRemoteCancel"});
}
