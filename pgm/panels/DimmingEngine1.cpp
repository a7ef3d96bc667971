// What sets dimming engine 1 apart: time-of-day steps.

#include "image/TimeCodes.h"
#include "pgm/panels/DimmingEngines.h"
#include "pgm/panels/PanelHost.h"

namespace nolt {

namespace {

// The time-of-day slider runs from 15:00 (20) over midnight (128) to 09:00
// of the next morning (236) in 5-minute steps; its position is the signed
// timeOfDay count plus 128.
constexpr int earliestPosition = 20, latestPosition = 236, midnightPosition = 128;

QString timeOfDayText(std::uint8_t code)
{
    return displayTime4(code);
}

std::uint8_t timeOfDayCode(const QString& text)
{
    return static_cast<std::uint8_t>(getTime3(text));
}

// A stored time between 09:00 and 15:00 puts the slider at the nearer end
// and keeps its text until the slider moves.
void openTimeOfDay(ClickEdit* edit, QComboBox* combo, ScrollBar* slider)
{
    openSlider(slider, getTime3(edit->text()) - midnightPosition, earliestPosition, latestPosition);
    combo->hide();
    edit->setEdited(true);
}

void writeTimeOfDay(ClickEdit* edit, int position)
{
    edit->setText(displayTime4(static_cast<std::uint8_t>(position - midnightPosition)));
}

// The signed 5-minute count of a timeOfDay byte; 128 (not set) stays 128.
int signedTime(std::uint8_t code)
{
    return code > 128 ? code - 256 : code;
}

// Times rise strictly through the night: 22:00 (-24) may be followed by
// 05:00 (60), not the other way round.
bool later(std::uint8_t previous, std::uint8_t code)
{
    return signedTime(previous) < signedTime(code);
}

// As the ISD switch does when it goes off.
void switchIsdOff(PanelHost& form)
{
    for (const char* name : {"Astro_dis", "dm1_dis", "sw_astro_open"})
        if (ClickLabel* picture = form.screen()[name])
            picture->show();
    Bytes& image = form.state().eeBlock;
    image[img::featureFlags] = ClearBit(image[img::featureFlags], img::bitIsdEnable);
}

const EngineRules timeOfDayRules = {
    timeOfDayText, timeOfDayCode, openTimeOfDay, writeTimeOfDay, true, later, switchIsdOff,
};

} // namespace

DimmingEngine1::DimmingEngine1(PanelHost& form) : DimmingEngine(form, 1, timeOfDayRules) {}

} // namespace nolt
