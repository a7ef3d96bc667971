#include "pgm/screen/MainScreen.h"

#include "image/TimeCodes.h"
#include "pgm/screen/ScreenPictures.h"

namespace nolt {

namespace {
constexpr int tileW = 133, tileH = 90, swW = 37, swH = 37;
} // namespace

MainScreen::MainScreen(QWidget* form) : form_(form), pictures_(form)
{
    background_ = addPicture("background", QStringLiteral("background"), 0, 0, 1041, 578, true, false);
    background_->setAttribute(Qt::WA_TransparentForMouseEvents);

    // Control output: the topmost visible tile and switch show the mode.
    addPicture("iTen", "tile_output_1_10v", 785, 139, tileW, tileH, true, true);
    addPicture("Dali", "tile_output_dali", 785, 139, tileW, tileH, true, true);
    addPicture("PWM", "tile_output_pwm", 785, 139, tileW, tileH, false, true);
    addPicture("SW_Ten", "switch_output_1_10v", 957, 165, 38, swH, true, true);
    addPicture("SW_DALI", "switch_output_dali", 957, 165, 38, swH, true, true);
    addPicture("SW_PWM", "switch_output_pwm", 957, 165, 38, swH, false, true);
    addLabel("lMinLevel", 812, 200, false);

    // Block time.
    addPicture("iTBlock_en", "tile_block_time", 80, 38, tileW, tileH, true, true);
    addOverlay("Block_dis", "iTBlock_en", 80, 38);
    addPicture("SW_block_close", "switch_on", 237, 64, swW, swH, false, true);
    addPicture("sw_block_open", "switch_off", 237, 64, swW, swH, true, true);
    addLabel("lBlock", 141, 100, false);

    // Power-on.
    addPicture("iTDpc_en", "tile_power_on", 80, 166, tileW, tileH, true, true);
    addLabel("lPO_Delay", 139, 190, true);
    addLabel("lPO_Fade", 139, 209, true);
    addLabel("lPO_Level", 139, 228, true);

    // ISD and dimming engine 1.
    addPicture("iISD_en", "tile_isd", 80, 295, tileW, tileH, true, true);
    addOverlay("Astro_dis", "iISD_en", 80, 295);
    addPicture("SW_astro_close", "switch_on", 237, 326, swW, swH, true, true);
    addPicture("sw_astro_open", "switch_off", 237, 326, swW, swH, true, true);
    addPicture("iISD1_en", "tile_engine1", 486, 299, 132, tileH, true, true);
    addOverlay("dm1_dis", "iISD1_en", 485, 299);

    // LST timer and dimming engine 2.
    addPicture("iLst_en", "tile_lst", 80, 424, tileW, tileH, true, true);
    addPicture("iLST_pol", "tile_lst_inverted", 80, 424, tileW, tileH, false, true);
    addOverlay("LST_dis", "iLst_en", 80, 424)->hide();
    addPicture("SW_lst_close", "switch_on", 237, 450, swW, swH, true, true);
    addPicture("sw_lst_open", "switch_off", 237, 450, swW, swH, true, true);
    addPicture("iISD2_en", "tile_engine2", 486, 415, 132, tileH, true, true);
    addOverlay("dm2_dis", "iISD2_en", 486, 415);

    // Hold time.
    addPicture("iTHold_en", "tile_hold_time", 333, 488, 116, tileH, true, true);
    addOverlay("HOLD_dis", "iTHold_en", 333, 488);
    addPicture("sw_hold_on", "switch_on", 282, 450, swW, swH, true, true);
    addPicture("sw_hold_off", "switch_off", 282, 450, swW, swH, true, true);
    addPicture("SW_hold_dis", "switch_grey", 282, 450, swW, swH, true, true);
    setBackground(addLabel("lHold", 390, 550, false), Qt::white);

    // MFF.
    addPicture("iMFF_en", "tile_mff", 330, 35, tileW, tileH, true, true);
    addOverlay("MFF_dis", "iMFF_en", 330, 35);
    addPicture("SW_mff_on", "switch_on", 488, 64, swW, swH, true, true);
    addPicture("sw_mff_off", "switch_off", 488, 64, swW, swH, true, true);

    // Thermal management.
    addPicture("iTM", "tile_thermal", 637, 37, tileW, tileH, true, true);
    addOverlay("iTM_dis", "iTM", 637, 38);
    addPicture("sw_tm_on", "switch_on", 794, 64, swW, swH, true, true);
    addPicture("sw_tm_off", "switch_off", 794, 64, swW, swH, true, true);

    // Remote control.
    addPicture("iRemote_en", "tile_remote", 785, 272, tileW, tileH, true, true);
    addOverlay("rem_dis", "iRemote_en", 785, 272);
    addPicture("rc_main", "switch_remote_mains", 751, 385, swW, swH, false, true);
    addPicture("rc_lst", "switch_remote_lst", 751, 385, swW, swH, false, true);
    addPicture("rc_off", "switch_remote_off", 751, 385, 38, swH, true, true);
    ClickLabel* remote = addLabel("lRemote", 803, 339, false);
    remote->setAlignment(Qt::AlignCenter);
    setBackground(remote, Qt::white);

    // Relay.
    addPicture("iRelay", "tile_relay", 785, 466, tileW, tileH, true, true);
}

ClickLabel* MainScreen::item(const QString& name) const
{
    return items_.value(name, nullptr);
}

ClickLabel* MainScreen::addPicture(const char* name, const QString& art, int x, int y, int w, int h,
                                   bool visible, bool hand)
{
    auto* pic = place(new ClickLabel(form_), name, x, y, w, h);
    pictures_.add(pic, art);
    if (hand)
        pic->setCursor(Qt::PointingHandCursor);
    pic->setVisible(visible);
    items_.insert(pic->objectName(), pic);
    return pic;
}

ClickLabel* MainScreen::addOverlay(const char* name, const char* tile, int x, int y)
{
    const ClickLabel* source = item(QString::fromLatin1(tile));
    auto* pic = place(new ClickLabel(form_), name, x, y, source->width(), source->height());
    pictures_.addGreyed(pic, source);
    items_.insert(pic->objectName(), pic);
    return pic;
}

ClickLabel* MainScreen::addLabel(const char* name, int x, int y, bool visible)
{
    auto* label = place(new ClickLabel(form_), name, x, y);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    label->setCursor(Qt::PointingHandCursor);
    label->setVisible(visible);
    items_.insert(label->objectName(), label);
    return label;
}

static void setLabel(ClickLabel* label, const QString& text)
{
    label->setText(text);
    label->adjustSize();
    label->show();
}

QString MainScreen::remoteText(bool midNight, bool mainsInput)
{
    if (midNight)
        return QStringLiteral("MidNight");
    return mainsInput ? QStringLiteral("MidNight Protect") : QStringLiteral("Remote DIM");
}

void MainScreen::displayRemote(const QString& text)
{
    ClickLabel* l = item(QStringLiteral("lRemote"));
    l->setText(text);
    l->resize(94, l->sizeHint().height());
    l->show();
}

void MainScreen::setDisplay(AppState& state)
{
    Bytes& e = state.eeBlock;
    auto& flags = e[img::featureFlags];

    // Control output.
    const bool dali = TestBit(flags, img::bitOutputDali);
    const bool pwm = !dali && TestBit(flags, img::bitOutputLinear);
    showPictures(*this, {"Dali", "SW_DALI"}, dali);
    showPictures(*this, {"PWM", "SW_PWM"}, pwm);
    setLabel(item(QStringLiteral("lMinLevel")), QStringLiteral("Min. Level=%1%").arg(e[img::minLevel]));

    // An engine whose first step is unused cannot run.
    if (e[img::dim2FirstLevel] == img::unusedStep)
        flags = ClearBit(flags, img::bitLstEnable);

    // LST timer and hold time. The polarity tile is chosen even while the
    // timer is off, so that the right one shows when it is switched on.
    const bool inverted = TestBit(flags, img::bitLstInvert);
    showPictures(*this, {"iLst_en"}, !inverted);
    showPictures(*this, {"iLST_pol"}, inverted);
    if (TestBit(flags, img::bitLstEnable)) {
        showPictures(*this, {"LST_dis", "sw_lst_open", "SW_hold_dis", "dm2_dis"}, false);
        const bool holdOff = e[img::holdTime] == 0;
        showPictures(*this, {"HOLD_dis", "sw_hold_off"}, holdOff);
        ClickLabel* hold = item(QStringLiteral("lHold"));
        if (holdOff)
            hold->hide();
        else
            setLabel(hold, displayTime(DecodeTime(e[img::holdTime])));
    } else {
        showPictures(*this, {"LST_dis", "sw_lst_open", "SW_hold_dis", "HOLD_dis", "dm2_dis"}, true);
        // The hold time shows only while the LST timer is on; its tile is
        // greyed now and takes no clicks.
        showPictures(*this, {"lHold"}, false);
    }

    // Block time.
    if (e[img::blockTime] == 0) {
        showPictures(*this, {"Block_dis", "sw_block_open"}, true);
        item(QStringLiteral("lBlock"))->hide();
    } else {
        showPictures(*this, {"Block_dis", "sw_block_open"}, false);
        showPictures(*this, {"iTBlock_en", "SW_block_close"}, true);
        setLabel(item(QStringLiteral("lBlock")), displayTime(e[img::blockTime] * 5));
    }

    if (e[img::dim1FirstLevel] == img::unusedStep)
        flags = ClearBit(flags, img::bitIsdEnable);
    showPictures(*this, {"Astro_dis", "dm1_dis", "sw_astro_open"}, !TestBit(flags, img::bitIsdEnable));

    showPictures(*this, {"MFF_dis", "sw_mff_off"}, e[img::mffLifetime] == 0);

    // Remote control; the 230 V input wins when both inputs are set.
    const std::uint8_t function = e[img::optionFlags] & img::remoteFunctionMask;
    const bool mains = TestBit(flags, img::bitRemoteMains);
    const bool lst = !mains && TestBit(flags, img::bitRemoteLst);
    showPictures(*this, {"rc_main"}, mains);
    showPictures(*this, {"rc_lst"}, lst);
    showPictures(*this, {"rc_off", "rem_dis"}, !mains && !lst);
    if (mains || lst)
        displayRemote(remoteText(function == img::remoteMidNight, mains));
    else
        item(QStringLiteral("lRemote"))->hide();
    state.remoteDim = lst && function == img::remoteDimFunction;

    // Thermal management.
    const bool tm = TestBit(flags, img::bitTmEnable);
    showPictures(*this, {"sw_tm_on"}, tm);
    showPictures(*this, {"sw_tm_off", "iTM_dis"}, !tm);

    displayPowerOn(e);
}

void MainScreen::displayPowerOn(const Bytes& e)
{
    setLabel(item(QStringLiteral("lPO_Level")), QStringLiteral("L=%1%").arg(e[img::poLevel]));
    const QString delay = e[img::poDelay] == img::poDelayRandom
        ? QStringLiteral("Random")
        : displayTime(DecodeTime(e[img::poDelay]));
    setLabel(item(QStringLiteral("lPO_Delay")), QStringLiteral("D=") + delay);
    setLabel(item(QStringLiteral("lPO_Fade")), QStringLiteral("F=") + displayTime2(DecodeTime(e[img::poFade])));
}

} // namespace nolt
