#include "DriverForm.h"
#include "pgm/screen/Hints.h"

#include <QTextDocument>

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

TEST(Hints, SlotAndFirmwareHintsArePlainTextAndStayAMinute)
{
    DriverForm d;
    d.storeSlot(1, sampleImage(), QStringLiteral("A<B>C"));
    Bytes block = d.at(0xFF80, 128);
    writeFirmwareEntry(block, 72, 3000);
    d.driver().setBytes(0xFF80, block);
    FormHarness& h = d.start();

    // Read as Qt reads a tool tip: markup when it looks like markup.
    const QString tip = d.slot(1)->toolTip();
    QTextDocument shown;
    if (Qt::mightBeRichText(tip))
        shown.setHtml(tip);
    else
        shown.setPlainText(tip);
    EXPECT_EQ(shown.toPlainText(), "Info: A<B>C   ");
    EXPECT_EQ(d.slot(1)->toolTipDuration(), 60000);
    EXPECT_EQ(h.find<QLabel>("iFW")->toolTipDuration(), 60000);
}
