#pragma once
// A main window started in driver mode on a simulated driver.

#include "Harness.h"
#include "support/SimDriver.h"

#include <QCheckBox>

namespace nolt::test {

struct DriverForm : SimDriver {
    std::unique_ptr<FormHarness> h;

    // Runs start-up on this device up to the first screen.
    FormHarness& start(QStringList parameters = {})
    {
        h = FormHarness::started(std::move(parameters), loader());
        return *h;
    }
    TForm1& form() { return *h->form; }
    SlotButton* slot(int k) { return form().bar().bM[k - 1]; }
    QColor colour(int k) { return slot(k)->palette().color(QPalette::Window); }
    void choose(int k) { h->click(qPrintable(QStringLiteral("bM%1").arg(k))); }
    // The output panel's curve box, ticked, with a curve that halves levels.
    void chooseHalvingCurve(int index)
    {
        auto* box = form().findChild<QCheckBox*>(QStringLiteral("cbDC"));
        if (!box)
            box = new QCheckBox(&form());
        box->setObjectName(QStringLiteral("cbDC"));
        box->setChecked(true);
        AppState& st = form().state();
        st.sw.dcIndex = index;
        st.dimmingCurve.resize(101);
        for (int i = 0; i <= 100; ++i)
            st.dimmingCurve[i] = static_cast<std::uint8_t>(i / 2);
    }
};

// A configuration that differs from the factory one where the main screen
// shows it, with astro data set.
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
