// What sets dimming engine 2 apart: steps that wait a delay.

#include "image/TimeCodes.h"
#include "pgm/panels/DimmingEngines.h"
#include "pgm/panels/PanelHost.h"

namespace nolt {

namespace {

QString delayText(std::uint8_t code)
{
    return displayTime(DecodeTime(code));
}

std::uint8_t delayCode(const QString& text)
{
    return static_cast<std::uint8_t>(convertTime(getTime(text)));
}

// Every step after the first needs a delay; delays are not compared.
bool hasDelay(std::uint8_t, std::uint8_t code)
{
    return code != 0;
}

void switchLstOff(PanelHost& form)
{
    Bytes& image = form.state().eeBlock;
    image[img::featureFlags] = ClearBit(image[img::featureFlags], img::bitLstEnable);
    form.setDisplay();
}

// The shared slider editor serves the delay (kind 2) with its ranges; the
// level slider leaves the relay alone.
const EngineRules delayRules = {
    delayText, delayCode, nullptr, nullptr, false, hasDelay, switchLstOff,
};

} // namespace

DimmingEngine2::DimmingEngine2(PanelHost& form) : DimmingEngine(form, 2, delayRules) {}

} // namespace nolt
