#include "pgm/window/StartUp.h"

#include "link/ReplyWait.h"
#include "pgm/kit/Artwork.h"
#include "pgm/window/FormView.h"
#include "pgm/window/TForm1.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>

namespace nolt {

StartUp::StartUp(TForm1& form) : form_(form)
{
    // The logo panel covers the whole window while the device is probed; it
    // waits below the visible area until the sequence starts.
    auto* logo = new QFrame(&form);
    logo->setObjectName(QStringLiteral("pLogo"));
    logo->setGeometry(0, 700, 1041, 626);
    logo->setAutoFillBackground(true);
    auto* picture = new QLabel(logo);
    picture->setObjectName(QStringLiteral("LOGO"));
    const QSize size(480, 240);
    picture->setPixmap(art::picture(QStringLiteral("logo"), size));
    picture->setGeometry((1041 - size.width()) / 2, (578 - size.height()) / 2, size.width(), size.height());
    logo->raise();
    logo_ = logo;
}

void StartUp::run()
{
    AppState& st = form_.state();
    logo_->move(0, 0);
    logo_->raise();
    if (QWidget* chooser = form_.findChild<QWidget*>(QStringLiteral("pDimmingCurve")))
        chooser->move(0, 0);

    BottomBar& bar = form_.bar();
    bar.pVersion->setText(bar.pVersion->text() + QLatin1String(TForm1::programVersion));

    st.formDisabled = true;
    st.demo = true;
    st.dcApplied = false;
    readSwitches();

    if (!form_.link().checkHID()) {
        demoMode(form_.hidLibraryLoaded() ? Poll::ForDevice : Poll::None);
    } else {
        deviceMode();
    }
    if (form_.closed())
        return;
    firstScreen();
    tellUnreadSlots();
}

void StartUp::readSwitches()
{
    AppState& st = form_.state();
    st.sw = parseSwitches(form_.parameters());
    if (st.sw.debugMode) {
        // The debug pane waits 1000 pixels lower until asked for.
        if (QWidget* debug = form_.findChild<QWidget*>(QStringLiteral("pDebug")))
            debug->move(debug->x(), debug->y() - 1000);
    }
}

bool StartUp::waitForReply()
{
    DriverLink& link = form_.link();
    FormView view(form_);
    return nolt::waitForReply(form_.platform(), view,
                              [&link] { return !link.controlFlag || link.usbStick; });
}

void StartUp::deviceMode()
{
    AppState& st = form_.state();
    DriverLink& link = form_.link();
    Platform& platform = form_.platform();
    StartUpHooks& hooks = form_.hooks();

    form_.timer2().stop();
    form_.setCaption(QStringLiteral("Loading"));
    st.demo = false;
    link.readReportLengths();
    platform.setBusyCursor(true);
    link.usbStick = false;
    link.readControlBlock();
    bool answered = waitForReply();
    if (!answered && !form_.closed() && link.checkHID()) {
        // Pulled out during the read and plugged in again before its wait
        // ended: the driver is asked once more.
        form_.setCaption(QStringLiteral("Loading"));
        link.readControlBlock();
        answered = waitForReply();
    }

    if (!answered) {
        if (form_.closed())
            return;
        // The device was found but sent neither its slot directory nor a
        // stick announcement (pulled out during the read, or silent):
        // nothing read from it can be offered. The user is told and can
        // still work on the default image and files. The program restarts
        // once the device has been gone and is back; a device that stays
        // and stays silent would only meet the same silence again.
        // The poll runs from before the message: a driver pulled out and
        // plugged in again while the message is open counts too.
        link.timer1().stop();
        platform.setBusyCursor(false);
        form_.pollForDevice(false);
        platform.showMessage(usbErrorMessage());
        demoMode(Poll::Running);
        return;
    }

    bool slotsOffered = false;
    if (link.usbStick) {
        form_.setCaption(QStringLiteral("USB Stick"));
        if (hooks.startStick)
            hooks.startStick();
    } else if (hooks.readSlots) {
        slotsOffered = hooks.readSlots();
    }
    if (form_.closed())
        return;
    platform.setBusyCursor(false);
    st.demo = false;

    for (SlotButton* b : form_.bar().bM)
        b->setVisible(slotsOffered);
    st.memSlot = 0;
    if ((link.usbStick || !st.sw.skipFW) && hooks.loadRes)
        hooks.loadRes();
}

void StartUp::demoMode(Poll poll)
{
    AppState& st = form_.state();
    Platform& platform = form_.platform();
    st.demo = true;
    form_.setCaption(QStringLiteral("Demo Mode"));
    for (int pass = 0; pass < demoPasses; ++pass) {
        platform.sleepMs(100);
        platform.processMessages();
        if (form_.closed())
            return;
    }
    loadDefaultImage(st.eeBlock);
    form_.setDisplay();
    form_.bar().bLoad->show();
    form_.bar().bSave->show();
    st.formDisabled = false;
    if (poll == Poll::ForDevice)
        form_.pollForDevice(true);
}

void StartUp::firstScreen()
{
    AppState& st = form_.state();
    StartUpHooks& hooks = form_.hooks();
    st.dcFound = hooks.listCurves && hooks.listCurves();
    if (st.dcFound && st.sw.dcIndex != -1 && hooks.preselectCurve)
        hooks.preselectCurve(st.sw.dcIndex); // an index outside the list preselects nothing
    form_.bar().cbShowHints->show();
    logo_->hide();
}

void StartUp::tellUnreadSlots()
{
    StartUpHooks& hooks = form_.hooks();
    const QString message = hooks.unreadSlotsMessage ? hooks.unreadSlotsMessage() : QString();
    if (message.isEmpty())
        return;
    // Polling first: a driver plugged in again while the message is open
    // restarts the program too.
    form_.pollForDevice(false);
    form_.platform().showMessage(message);
}

} // namespace nolt
