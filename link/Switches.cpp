#include "link/Switches.h"

namespace nolt {

namespace {

// "-dc=" may stand anywhere in the parameter; the index is read from the
// fifth character on, so "x-dc=3" reads "=3" and names no curve.
int curveIndex(const QString& parameter)
{
    bool ok = false;
    const int index = parameter.mid(4).toInt(&ok);
    return ok ? index : -1;
}

} // namespace

Switches parseSwitches(const QStringList& parameters)
{
    Switches s;
    for (const QString& p : parameters) {
        if (p == QLatin1String("-eraseAll"))
            s.enableErase = true;
        else if (p == QLatin1String("-skipFW"))
            s.skipFW = true;
        else if (p == QLatin1String("-copyAstro"))
            s.copyAstro = true;
        else if (p == QLatin1String("-noLoadCheck"))
            s.noLoadCheck = true;
        else if (p == QLatin1String("-showLog"))
            s.showLog = true;
        else if (p == QLatin1String("-set60Hz"))
            s.set60Hz = true;
        else if (p == QLatin1String("-debug"))
            s.debugMode = true;

        if (p.contains(QLatin1String("-dc=")))
            s.dcIndex = curveIndex(p);
        else
            s.cmdLineArgs += QLatin1Char(' ') + p;
    }
    return s;
}

} // namespace nolt
