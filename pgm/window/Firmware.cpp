#include "pgm/window/Firmware.h"

#include "image/FirmwareText.h"
#include "image/TextFile.h"
#include "pgm/screen/Hints.h"
#include "pgm/window/TForm1.h"

#include <QFile>

namespace nolt {

void showFirmwareIcon(BottomBar& bar, const QString& hint)
{
    setHint(bar.iFW, hint);
    bar.iFW->show();
}

void hideFirmwareIcon(BottomBar& bar)
{
    setHint(bar.iFW, QString());
    bar.iFW->hide();
}

std::optional<QByteArray> builtInFirmwareText(bool set60Hz)
{
    QFile resource(set60Hz ? QStringLiteral(":/firmware/60.ktp") : QStringLiteral(":/firmware/50.ktp"));
    if (!resource.open(QIODevice::ReadOnly))
        return std::nullopt;
    return resource.readAll();
}

void applyBuiltInFirmware(TForm1& form, const QByteArray& text)
{
    AppState& st = form.state();
    const FirmwareText parsed = parseFirmwareText(splitTextLines(text));
    const FirmwareResult result =
        nolt::applyBuiltInFirmware(parsed, st.firmware, form.link().usbStick, st.driverFwVersion);
    if (!result.accepted)
        return;
    st.firmware = result.state;
    showFirmwareIcon(form.bar(), result.hint);
}

void loadRes(TForm1& form)
{
    if (const auto text = builtInFirmwareText(form.state().sw.set60Hz))
        applyBuiltInFirmware(form, *text);
}

} // namespace nolt
