#pragma once
// A main window started in driver mode on a simulated driver.

#include "Harness.h"
#include "support/SimDriver.h"

#include <QCheckBox>

namespace nolt::test {

struct DriverForm : SimDriver {
    std::unique_ptr<FormHarness> h;

    FormHarness& start(QStringList parameters = {})
    {
        h = FormHarness::started(std::move(parameters), loader());
        return *h;
    }
    SlotButton* slot(int k) { return h->form->bar().bM[k - 1]; }
    QColor colour(int k) { return slot(k)->palette().color(QPalette::Window); }
    void choose(int k) { h->click(QStringLiteral("bM%1").arg(k)); }
    // The output panel's curve box ticked, with a curve that halves levels.
    void chooseHalvingCurve(int index)
    {
        h->find<QCheckBox>(QStringLiteral("cbDC"))->setChecked(true);
        h->state().sw.dcIndex = index;
        h->state().dimmingCurve.resize(101);
        for (int i = 0; i <= 100; ++i)
            h->state().dimmingCurve[i] = static_cast<std::uint8_t>(i / 2);
    }
};

// The factory configuration with other levels and astro data 0x60, 0x61, ...
inline Bytes sampleImage(std::uint8_t poLevel = 80)
{
    Bytes image(defaultImage.begin(), defaultImage.end());
    image[img::poLevel] = poLevel;
    image[img::minLevel] = 10;
    for (int i = 0; i < img::astroDataLength; ++i)
        image[img::astroData + i] = static_cast<std::uint8_t>(0x60 + i);
    return image;
}

} // namespace nolt::test
