#include "pgm/panels/RemotePanel.h"

#include "pgm/panels/IsdPanel.h"
#include "pgm/panels/LstPanel.h"
#include "pgm/screen/ScreenPictures.h"
#include "pgm/panels/PanelHost.h"

namespace nolt {

namespace {

const QString captionMains = QStringLiteral("Remote Control, Input=230V");
const QString captionLst = QStringLiteral("Remote Control, Input=LST");

QRadioButton* radioButton(QWidget* parent, const char* name, const QString& caption, int left, int top)
{
    auto* rb = place(new QRadioButton(caption, parent), name, left, top, 200, 20);
    rb->setCursor(Qt::PointingHandCursor);
    return rb;
}

} // namespace

RemotePanel::RemotePanel(PanelHost& form, LstPanel& lst, IsdPanel& isd)
    : EditorPanel(form, "pRemote", 672, 254, 287, 144), lst_(lst), isd_(isd)
{
    gbRemote_ = place(new QGroupBox(QStringLiteral("Remote Control"), this), "gbRemote", 6, 6, 275, 100);
    rbMN_ = radioButton(gbRemote_, "rbMN", QStringLiteral("MidNight"), 16, 30);
    rbRemote_ = radioButton(gbRemote_, "rbRemote", QString(), 16, 62);
    auto* ok = glyphButton(this, "bRC_OK", Glyph::Ok, 230, 114);
    auto* cancel = glyphButton(this, "bRemoteCancel", Glyph::Cancel, 258, 114);

    connect(ok, &QPushButton::clicked, this, &RemotePanel::bRC_OKClick);
    connect(cancel, &QPushButton::clicked, this, &RemotePanel::bRemoteCancelClick);
    connect(&form, &PanelHost::displayRefreshed, this, &RemotePanel::displayRefreshed);

    onScreenClicks<RemotePanel>(form.screen(), this,
                                {{"rc_off", &RemotePanel::rc_offClick}, {"rc_main", &RemotePanel::rc_mainClick},
                                 {"rc_lst", &RemotePanel::rc_lstClick}, {"iRemote_en", &RemotePanel::iRemote_enClick},
                                 {"lRemote", &RemotePanel::iRemote_enClick}});
}

// Off -> 230 V: only uncovers the tile; OK writes the input.
void RemotePanel::rc_offClick()
{
    if (busy())
        return;
    moveSwitch("rc_main", captionMains);
    state().remoteDim = false;
}

// 230 V -> LST.
void RemotePanel::rc_mainClick()
{
    if (!busy())
        moveSwitch("rc_lst", captionLst);
}

void RemotePanel::moveSwitch(const char* position, const QString& caption)
{
    MainScreen& s = form().screen();
    showPictures(s, {"rc_off", "rc_main", "rc_lst", "rem_dis", "lRemote"}, false);
    showPictures(s, {position}, true);
    gbRemote_->setTitle(caption);
}

// LST -> off: remote control off at once. The LST timer and ISD stay as
// they are.
void RemotePanel::rc_lstClick()
{
    if (busy())
        return;
    switchOff();
}

void RemotePanel::switchOff()
{
    MainScreen& s = form().screen();
    showPictures(s, {"rc_off", "rem_dis"}, true);
    showPictures(s, {"rc_main", "rc_lst", "lRemote"}, false);
    Bytes& e = state().eeBlock;
    e[img::optionFlags] = static_cast<std::uint8_t>(e[img::optionFlags] & ~img::remoteFunctionMask);
    e[img::featureFlags] = ClearBit(ClearBit(e[img::featureFlags], img::bitRemoteMains), img::bitRemoteLst);
    state().remoteDim = false;
}

bool RemotePanel::lstInput() const
{
    return !form().screen()["rc_lst"]->isHidden();
}

// Both buttons can be unticked only here, as filled from the image.
void RemotePanel::fillFunction(std::uint8_t function, bool lst)
{
    rbRemote_->setText(MainScreen::remoteText(false, !lst));
    for (QRadioButton* rb : {rbMN_, rbRemote_}) {
        rb->setAutoExclusive(false);
        rb->setChecked(false);
        rb->setAutoExclusive(true);
    }
    if (function == img::remoteMidNight)
        rbMN_->setChecked(true);
    else if (function == (lst ? img::remoteDimFunction : img::remoteMidNightProtect))
        rbRemote_->setChecked(true);
}

void RemotePanel::iRemote_enClick()
{
    if (busy())
        return;
    const bool lst = lstInput();
    fillFunction(state().eeBlock[img::optionFlags] & img::remoteFunctionMask, lst);
    if (lst)
        state().remoteDim = rbRemote_->isChecked();
    // The caption names the input the switch stands on, however the panel
    // was opened.
    gbRemote_->setTitle(lst ? captionLst : captionMains);
    openPanel();
}

void RemotePanel::bRC_OKClick()
{
    Bytes& e = state().eeBlock;
    const bool dimCaption = rbRemote_->text() == MainScreen::remoteText(false, false);
    auto v = static_cast<std::uint8_t>(e[img::optionFlags] & ~img::remoteFunctionMask);
    if (rbMN_->isChecked())
        v |= img::remoteMidNight;
    if (dimCaption) {
        state().remoteDim = rbRemote_->isChecked();
        if (rbRemote_->isChecked())
            v |= img::remoteDimFunction;
    } else if (rbRemote_->isChecked()) {
        v |= img::remoteMidNightProtect;
    }
    e[img::optionFlags] = v;
    closePanel();

    const bool chosen = rbMN_->isChecked() || rbRemote_->isChecked();
    if (!chosen) {
        switchOff();
    } else {
        const bool lst = lstInput();
        const bool mains = !lst && !form().screen()["rc_main"]->isHidden();
        if (lst || mains) {
            putBit(e[img::featureFlags], img::bitRemoteMains, !lst);
            putBit(e[img::featureFlags], img::bitRemoteLst, lst);
        }
    }
    // Remote DIM takes the LST input: the LST timer and ISD go off.
    if (state().remoteDim) {
        lst_.SW_lst_closeClick();
        isd_.SW_astro_closeClick();
    }
    if (chosen)
        displayRemote();
}

void RemotePanel::bRemoteCancelClick()
{
    closePanel();
    if (!rbMN_->isChecked() && !rbRemote_->isChecked())
        switchOff();
}

void RemotePanel::displayRemote()
{
    form().screen().displayRemote(rbMN_->isChecked() ? rbMN_->text() : rbRemote_->text());
}

// The screen has set the switch from the image (the 230 V input first).
// On the LST input the panel opens by itself when the window is free.
void RemotePanel::displayRefreshed()
{
    const Bytes& e = state().eeBlock;
    const std::uint8_t function = e[img::optionFlags] & img::remoteFunctionMask;
    const bool mains = TestBit(e[img::featureFlags], img::bitRemoteMains);
    const bool lst = !mains && TestBit(e[img::featureFlags], img::bitRemoteLst);
    if (!mains && !lst)
        return;
    if (lst)
        iRemote_enClick();
    fillFunction(function, lst);
    state().remoteDim = lst && rbRemote_->isChecked();
    displayRemote();
}

} // namespace nolt
