#include "pgm/panels/CurveMapping.h"

#include "image/DimmingCurve.h"
#include "pgm/panels/PanelHost.h"

#include <QCheckBox>

namespace nolt {

namespace {
QCheckBox* curveBox(PanelHost& form)
{
    return form.findChild<QCheckBox*>(QStringLiteral("cbDC"));
}
} // namespace

void invCorrectDCIfChosen(PanelHost& form)
{
    AppState& st = form.state();
    const QCheckBox* box = curveBox(form);
    if (!box || !box->isChecked() || st.sw.dcIndex == -1)
        return;
    if (invCorrectDC(st.eeBlock, st.dimmingCurve))
        st.dcApplied = true;
}

void dropCurveChoice(PanelHost& form)
{
    AppState& st = form.state();
    st.sw.dcIndex = -1;
    if (QCheckBox* box = curveBox(form))
        box->setChecked(false);
    st.dcApplied = false;
}

} // namespace nolt
