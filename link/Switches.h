#pragma once
// Command-line switches: the program's only configuration.

#include <QString>
#include <QStringList>

namespace nolt {

struct Switches {
    bool enableErase = false; // -eraseAll
    bool skipFW = false;      // -skipFW
    bool copyAstro = false;   // -copyAstro
    bool noLoadCheck = false; // -noLoadCheck
    bool showLog = false;     // -showLog
    bool set60Hz = false;     // -set60Hz
    bool debugMode = false;   // -debug
    int dcIndex = -1;         // -dc=N: preselected dimming curve, -1 none
    // Parameters handed on at a restart: each one except "-dc=" ones,
    // preceded by one blank, in their order.
    QString cmdLineArgs;
};

// Reads the parameters (without the program path). Switches match exactly,
// letter case included; unknown parameters are only handed on.
Switches parseSwitches(const QStringList& parameters);

} // namespace nolt
