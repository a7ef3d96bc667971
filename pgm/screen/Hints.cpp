#include "pgm/screen/Hints.h"

#include "pgm/screen/MainScreen.h"

#include <QTextDocument>
#include <QVariant>

namespace nolt {

namespace {

struct Hint {
    const char* text;
    std::initializer_list<const char*> pictures; // the first one carries the text
};

const Hint hints[] = {
    {"MFF (Maintenance Factor Function)\nReduction of the degree to which the luminous flux decreases\n"
     "over the service life of the light source.\n\nBBT (Burn-In Block Time)\n"
     "Disable dimming during the burn-in period\nof conventional light sources.",
     {"MFF_dis", "iMFF_en"}},
    {"Timer\nAfter power on disable the power reduction/ dimming for\na configurable period of time.",
     {"Block_dis", "iTBlock_en"}},
    {"Power On\nConfigurable delay, fade and level immediately after power on.\n\n"
     "DPC (Delayed Switching for Pedestrian Crossing)\n"
     "The lighting is switched on after a delay or switched off\n"
     "more quickly in the vicinity of pedestrian crossings.\n\nDOO (Dimmed ON/OFF)\n"
     "The lighting system is fade-in/out.",
     {"iTDpc_en"}},
    {"230Vac Control Input", {"LST_dis", "iLst_en", "iLST_pol"}},
    {"ISD(Intelligent Switching Time Dimming)\nThe dimming period is derived from the switch-on/off time.",
     {"Astro_dis", "iISD_en"}},
    {"Timer\nHold time, increase the impulse width for the control input.", {"HOLD_dis", "iTHold_en"}},
    {"Dimming Engine 1\nTimer-controlled periods of dimmed light.", {"dm1_dis", "iISD1_en"}},
    {"Dimming Engine 2\nTimer-controlled periods of dimmed light.", {"dm2_dis", "iISD2_en"}},
    {"Control Output\nConfigurable DALI or 1-10V output", {"Dali", "iTen"}},
    {"Remote Control\nAllowing the change of configuration parameters.", {"rem_dis", "iRemote_en"}},
    {"Relay\nChangeover relay output", {"iRelay"}},
};

// The text is kept on the picture and shown as its tool tip only while
// hints are on.
constexpr char hintProperty[] = "hintText";

} // namespace

QStringList hintPictures()
{
    QStringList names;
    for (const Hint& h : hints)
        for (const char* p : h.pictures)
            names << QString::fromLatin1(p);
    return names;
}

void setHint(QWidget* control, const QString& text)
{
    // Qt takes a tool tip that looks like markup for rich text; written out
    // as rich text, a plain text keeps every character.
    control->setToolTip(Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text) : text);
    control->setToolTipDuration(hintHidePauseMs);
}

void initHint(MainScreen& screen)
{
    for (const Hint& h : hints) {
        const QString text = QString::fromLatin1(h.text);
        for (const char* p : h.pictures)
            screen[p]->setProperty(hintProperty, text);
    }
}

void enableHint(MainScreen& screen, bool on)
{
    for (const QString& name : hintPictures()) {
        ClickLabel* pic = screen.item(name);
        setHint(pic, on ? pic->property(hintProperty).toString() : QString());
    }
}

} // namespace nolt
