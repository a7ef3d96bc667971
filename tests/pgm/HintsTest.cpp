#include "Harness.h"
#include "pgm/Hints.h"

using namespace nolt;
using namespace nolt::test;

TEST(Hints, ShowHintsSwitchesExactlyTheTilesAndOverlays)
{
    auto h = FormHarness::started();
    auto* box = h->find<QCheckBox>("cbShowHints");
    h->find<QWidget>("bM1")->setToolTip("Info: Lamp");

    EXPECT_EQ(hintPictures().size(), 21);
    EXPECT_TRUE(h->find<QLabel>("iRelay")->toolTip().isEmpty()) << "off until ticked";

    box->setChecked(true);
    EXPECT_EQ(h->find<QLabel>("iRelay")->toolTip(), "Relay\nChangeover relay output");
    EXPECT_EQ(h->find<QLabel>("iRelay")->toolTipDuration(), 60000);
    for (const char* lst : {"LST_dis", "iLst_en", "iLST_pol"})
        EXPECT_EQ(h->find<QLabel>(lst)->toolTip(), "230Vac Control Input") << lst;
    EXPECT_TRUE(h->find<QLabel>("iTDpc_en")->toolTip().startsWith("Power On\nConfigurable delay"));
    EXPECT_TRUE(h->find<QLabel>("MFF_dis")->toolTip().contains("service life of the light source.\n\nBBT"));

    box->setChecked(false);
    for (const QString& name : hintPictures())
        EXPECT_TRUE(h->form->findChild<QWidget*>(name)->toolTip().isEmpty()) << name.toStdString();
    EXPECT_EQ(h->find<QWidget>("bM1")->toolTip(), "Info: Lamp") << "other hints are left alone";
}
