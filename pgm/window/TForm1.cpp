#include "pgm/window/TForm1.h"

#include "pgm/kit/Artwork.h"
#include "pgm/screen/Hints.h"
#include "pgm/window/StartUp.h"

#include <QCloseEvent>
#include <QTimer>

namespace nolt {

TForm1::TForm1(Platform& platform, QStringList parameters, HidLoader loadLibrary, QWidget* parent)
    : PanelHost(parent), platform_(platform), parameters_(std::move(parameters))
{
    FormCreate(loadLibrary);
}

TForm1::~TForm1() = default;

void TForm1::FormCreate(const HidLoader& loadLibrary)
{
    setObjectName(QStringLiteral("Form1"));
    // A fixed client area at the screen's top left; only the system menu.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(clientWidth, clientHeight);
    move(0, 0);
    // The design's font; where it is not installed a condensed sans serif
    // of the same width takes its place, so that texts fit their fields.
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    setFont(f);

    screen_ = std::make_unique<MainScreen>(this);
    bar_ = std::make_unique<BottomBar>(this);
    initHint(*screen_);
    connect(bar_->cbShowHints, &QCheckBox::toggled, this, [this](bool on) { enableHint(*screen_, on); });

    hid_ = loadLibrary ? loadLibrary() : loadHidLibrary();
    link_ = std::make_unique<DriverLink>(platform_, hid_.get());
    timer2_ = &createTimer(1000, [this] { Timer2Timer(); });
    state_.eeBlock.assign(img::imageSize, 0);

    createPanels();
    startUp_ = std::make_unique<StartUp>(*this);
}

Timer& TForm1::createTimer(int intervalMs, std::function<void()> onTick)
{
    timers_.push_back(platform_.createTimer(intervalMs, std::move(onTick)));
    return *timers_.back();
}

void TForm1::setDisplay()
{
    screen_->setDisplay(state_);
    emit displayRefreshed();
}

void TForm1::offerCurves(std::function<bool()> listCurves, std::function<bool(int)> preselectCurve)
{
    hooks_.listCurves = std::move(listCurves);
    hooks_.preselectCurve = std::move(preselectCurve);
}

void TForm1::enableButtons()
{
    bar_->enableButtons(link_->usbStick, state_.sw.set60Hz, state_.sw.enableErase);
}

void TForm1::disableButtons()
{
    platform_.setBusyCursor(false);
    bar_->disableButtons();
}

void TForm1::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    // Start-up runs once the window is on screen; it does not wait for an
    // activation, which a display without a window manager never sends.
    if (!activationScheduled_) {
        activationScheduled_ = true;
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    }
}

void TForm1::FormActivate()
{
    if (started_ || closed_)
        return;
    started_ = true;
    startUp_->run();
}

void TForm1::pollForDevice(bool deviceSeenAbsent)
{
    deviceSeenAbsent_ = deviceSeenAbsent;
    timer2_->start();
}

void TForm1::Timer2Timer()
{
    if (!link_->checkHID()) {
        deviceSeenAbsent_ = true;
    } else if (deviceSeenAbsent_) {
        timer2_->stop(); // one new instance, however long this one takes to end
        platform_.restartProgram(state_.sw.cmdLineArgs);
    }
}

void TForm1::closeEvent(QCloseEvent* e)
{
    // Every timer stops at once, and a start-up wait that is still running
    // sees closed() and gives up. The blocks themselves go with the window,
    // so a handler that is still on the stack never meets a released block.
    closed_ = true;
    link_->timer1().stop();
    for (auto& t : timers_)
        t->stop();
    QWidget::closeEvent(e);
}

} // namespace nolt
