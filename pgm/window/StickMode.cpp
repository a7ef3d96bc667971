#include "pgm/window/StickMode.h"

#include "pgm/panels/EditorPanel.h"
#include "pgm/window/TForm1.h"

#include <algorithm>

namespace nolt {

// Timer3, a timer of the window: once the window has closed, the reply
// handler's switching it on again after a reply is refused.
class StickMode::Timer3 final : public Timer {
public:
    Timer3(TForm1& form, Timer& timer) : form_(form), timer_(timer) {}
    void start() override
    {
        if (!form_.closed())
            timer_.start();
    }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

private:
    TForm1& form_;
    Timer& timer_;
};

StickMode::StickMode(TForm1& form) : QObject(&form), form_(form), controls_(&form)
{
    setObjectName(QStringLiteral("stickMode"));
    Timer& windowTimer = form.createTimer(100, [this] { machine_->Timer3Timer(); });
    timer3_ = std::make_unique<Timer3>(form, windowTimer);
    machine_ = std::make_unique<StickMachine>(form.platform(), form.link(), form.state(), *this, *timer3_);

    BottomBar& bar = form.bar();
    connect(bar.bUpdateFw, &QPushButton::clicked, this, [this] { machine_->bUpdateFwClick(); });
    connect(bar.bReread, &QPushButton::clicked, this, &StickMode::bRereadClick);
    connect(bar.cbStickDebug, &QCheckBox::toggled, this, &StickMode::cbStickDebugClick);
    form.hooks().startStick = [this] { startStick(); };
    form.hooks().storeUSBStick = [this] { machine_->storeUSBStick(); };
    form.hooks().stickBusy = [this] { return machine_->operationRuns(); };
}

StickMode::~StickMode() = default;

Timer& StickMode::timer3()
{
    return *timer3_;
}

void StickMode::startStick()
{
    form_.bar().cbStickDebug->setVisible(form_.state().sw.debugMode);
    machine_->start();
}

void StickMode::bRereadClick()
{
    // The read would replace the image under an open panel, and the panel's
    // OK would be lost: it is refused like the other buttons during a read.
    if (panelOpen())
        return form_.platform().beep();
    machine_->bRereadClick();
}

void StickMode::cbStickDebugClick(bool checked)
{
    controls_.pDebug->setVisible(checked);
    if (checked)
        controls_.pDebug->raise();
}

QString StickMode::caption() const
{
    return form_.caption();
}

void StickMode::setCaption(const QString& text)
{
    form_.setCaption(text);
}

void StickMode::enableButtons()
{
    form_.enableButtons();
}

void StickMode::disableButtons()
{
    form_.disableButtons();
}

void StickMode::offerReread()
{
    form_.bar().bReread->show();
}

bool StickMode::panelOpen() const
{
    const auto panels = form_.findChildren<EditorPanel*>();
    return std::ranges::any_of(panels, [](const EditorPanel* p) { return p->isVisible(); });
}

void StickMode::setBusy(bool busy)
{
    // A panel opened while the stick was busy keeps the window busy until
    // its OK or Cancel, as every open panel does.
    form_.state().formDisabled = busy || panelOpen();
    // A panel left open when the stick announced itself takes nothing while
    // the read runs: its edits would be lost under the image read.
    const bool reading = form_.state().stickReading;
    for (EditorPanel* panel : form_.findChildren<EditorPanel*>())
        panel->setEnabled(!reading);
}

void StickMode::showLog(const StickLogTexts& log)
{
    controls_.lOp->setText(log.lOp);
    controls_.lSwCnt->setText(log.lSwCnt);
    controls_.lMaxT->setText(log.lMaxT);
    controls_.lOverT->setText(log.lOverT);
    controls_.gbLog->show();
}

void StickMode::hideLog()
{
    controls_.gbLog->hide();
}

bool StickMode::debugOn() const
{
    return form_.bar().cbStickDebug->isChecked() && !controls_.cbDebugHold->isChecked();
}

void StickMode::debugLine(const QString& line)
{
    controls_.mDebug->appendPlainText(line);
}

void StickMode::setProgress(int position, int maximum)
{
    // An empty range would make the bar an endless busy indicator.
    form_.bar().pbFWUpdate->setRange(0, std::max(maximum, 1));
    form_.bar().pbFWUpdate->setValue(position);
}

void StickMode::showProgress(bool shown)
{
    form_.bar().pbFWUpdate->setVisible(shown);
}

void StickMode::setDisplay()
{
    form_.setDisplay();
}

} // namespace nolt
