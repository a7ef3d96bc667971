#pragma once
// Names and places of the controls of the two dimming-engine editors.

#include "pgm/panels/DimmerRow.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace nolt {

struct EngineDesign {
    const char* panel;
    QRect place; // on the window; set again at every opening
    RowDesign rows;
    const char* deleteLabel;
    QPoint deleteLabelAt;
    const char* strip;
    const char* slider;
    const char* combo;
    int stripTop;
    const char* ok;
    const char* cancel;
    const char* help;
    int buttonsTop;
    const char* overlay;
    const char* picture;
    QSize overlaySize;
    QRect pictureRect;
    const char* helpArt;
    const char* tile; // the main-screen tile that opens the editor
    int imageSteps;   // image offset of the engine's ten steps
    int firstKind;    // slider kind of a step's first field
};

// The design of engine 1 or 2.
EngineDesign engineDesign(int engine);

} // namespace nolt
