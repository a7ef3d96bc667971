#include "pgm/CurveMapping.h"

#include "image/DimmingCurve.h"
#include "pgm/TForm1.h"

#include <QCheckBox>

namespace nolt {

void invCorrectDC(TForm1& form)
{
    AppState& st = form.state();
    const auto* cbDC = form.findChild<QCheckBox*>(QStringLiteral("cbDC"));
    if (!cbDC || !cbDC->isChecked() || st.sw.dcIndex == -1)
        return;
    if (invCorrectDC(st.eeBlock, st.dimmingCurve))
        st.dcApplied = true;
}

} // namespace nolt
