// The dimming-curve files, the chooser and when the curve is undone on the
// image's levels.

#include "PanelTesting.h"

#include "pgm/panels/CurveFiles.h"
#include "pgm/panels/CurveMapping.h"
#include "pgm/panels/DimmingCurvePanel.h"

#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <functional>

using namespace nolt;
using namespace nolt::test;

namespace {

// 101 lines, line i holding f(i).
QByteArray curveText(const std::function<int(int)>& f)
{
    QByteArray text;
    for (int i = 0; i <= 100; ++i)
        text += QByteArray::number(f(i)) + "\r\n";
    return text;
}

Bytes curvePoints(const std::function<int(int)>& f)
{
    Bytes points;
    for (int i = 0; i <= 100; ++i)
        points.push_back(static_cast<std::uint8_t>(f(i)));
    return points;
}

int identity(int i) { return i; }
// Maps 50 to 40, and nothing maps to 50.
int dip(int i) { return i == 50 ? 40 : i; }
int half(int i) { return i / 2; }

struct DimmingCurveTest : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<FormHarness> h;

    void write(const char* name, const QByteArray& data)
    {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    // Starts the window in demo mode on the curves of `dir`.
    void start(QStringList parameters = {})
    {
        h = std::make_unique<FormHarness>(std::move(parameters));
        h->form->findChild<DimmingCurvePanel*>()->setCurveFolder(dir.path());
        h->form->FormActivate();
    }
    AppState& state() { return h->form->state(); }
    QListWidget* list() { return h->find<QListWidget>("lbDimmingCurve"); }
    QStringList names()
    {
        QStringList n;
        for (int i = 0; i < list()->count(); ++i)
            n << list()->item(i)->text();
        return n;
    }
    QCheckBox* box() { return h->find<QCheckBox>("cbDC"); }
    // Opens the output panel and ticks the curve box, which opens the chooser.
    void openChooser()
    {
        h->click("iTen");
        box()->setChecked(true);
    }
    QString plotError() { return h->find("iDimmingCurve")->accessibleDescription(); }
    // The plot is red where the curve passes input level i at output v.
    bool drawnAt(int i, int v)
    {
        const QImage plot = h->find<QLabel>("iDimmingCurve")->pixmap().toImage();
        const QColor c = plot.pixelColor(49 + 4 * i, 446 - 4 * v);
        return c.red() > 200 && c.green() < 100 && c.blue() < 100;
    }
};

} // namespace

TEST_F(DimmingCurveTest, FilesAreListedByNameFromOneRunToTheNext)
{
    EXPECT_EQ(listCurveFiles(dir.filePath("missing")), std::nullopt);
    write("b.dc", curveText(identity));
    write("a.dc", curveText(identity));
    write("C.DC", curveText(identity));
    write("short.dc", QByteArray(100, '1'));
    write("exact.dc", QByteArray(101, '1'));
    write("notes.txt", curveText(identity));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.dc"));

    start();
    EXPECT_TRUE(state().dcFound);
    EXPECT_EQ(names(), (QStringList{"C.DC", "a.dc", "b.dc", "exact.dc"}));
    EXPECT_FALSE(h->shown("pDimmingCurve"));
    EXPECT_EQ(list()->currentRow(), -1) << "nothing selected at start-up";
}

TEST_F(DimmingCurveTest, NoCurveBoxWithoutCurveFiles)
{
    write("short.dc", "0\n1\n");
    start();
    EXPECT_FALSE(state().dcFound);
    h->click("iTen");
    EXPECT_FALSE(h->shown("cbDC"));
    EXPECT_FALSE(h->shown("bDC"));
}

TEST_F(DimmingCurveTest, TickingTheBoxOpensTheChooserOnTheFirstCurve)
{
    write("a.dc", curveText(half));
    write("b.dc", curveText(identity));
    start();
    h->click("iTen");
    EXPECT_TRUE(h->shown("cbDC"));
    EXPECT_EQ(box()->text(), "Correction OFF");
    EXPECT_FALSE(h->find<QPushButton>("bDC")->isEnabled());
    box()->setChecked(true);
    EXPECT_TRUE(h->shown("pDimmingCurve"));
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_EQ(state().dimmingCurve, curvePoints(half));
    EXPECT_TRUE(drawnAt(60, 30) && drawnAt(100, 50));
    EXPECT_FALSE(drawnAt(60, 60));
    list()->setCurrentRow(1);
    EXPECT_EQ(state().dimmingCurve, curvePoints(identity));
    EXPECT_TRUE(drawnAt(60, 60));
    EXPECT_FALSE(drawnAt(60, 30)) << "earlier drawings are erased";
}

TEST_F(DimmingCurveTest, DamagedFilesShowTheirErrorAndCannotBeChosen)
{
    QByteArray word = curveText(identity);
    word.replace("\r\n7\r\n", "\r\nseven\r\n");
    QByteArray binary(101 * 3, '\0');
    for (int i = 0; i < binary.size(); i += 3)
        binary[i + 1] = '\x01', binary[i + 2] = '\n';
    const struct { const char* name; QByteArray text; const char* error; } cases[] = {
        {"a_100.dc", curveText(identity).left(curveText(identity).lastIndexOf("100\r\n")), "Error: Nr. of points is not 101!"},
        {"b_102.dc", curveText(identity) + "100\r\n", "Error: Nr. of points is not 101!"},
        {"c_word.dc", word, "Error: Wrong Data!"},
        {"d_101.dc", curveText([](int i) { return i == 70 ? 101 : i; }), "Error: Wrong Data!"},
        {"e_binary.dc", binary, "Error: Wrong Data!"},
        {"f_noline.dc", QByteArray(300, '\x7f'), "Error: Nr. of points is not 101!"},
    };
    for (const auto& c : cases)
        write(c.name, c.text);
    start();
    std::copy(defaultImage.begin(), defaultImage.end(), h->image().begin());
    h->image()[img::poLevel] = 40;
    const Bytes before = h->image();
    state().demo = false; // as in driver mode, where OK maps the levels
    openChooser();
    for (int row = 0; row < int(std::size(cases)); ++row) {
        list()->setCurrentRow(row);
        EXPECT_EQ(plotError(), cases[row].error) << cases[row].name;
        EXPECT_TRUE(state().dimmingCurve.empty()) << cases[row].name;
        h->click("bDCOk");
        EXPECT_TRUE(h->shown("pDimmingCurve")) << cases[row].name;
        EXPECT_EQ(state().sw.dcIndex, -1);
    }
    h->click("bDCCancel");
    EXPECT_FALSE(h->shown("pDimmingCurve"));
    EXPECT_FALSE(box()->isChecked());
    EXPECT_EQ(box()->text(), "Correction OFF");
    EXPECT_FALSE(state().dcApplied);
    EXPECT_EQ(differences(h->image(), before), "");
}

TEST_F(DimmingCurveTest, OkInDriverModeUndoesTheCurveOnceKeepingRelayBitsAndUnusedSteps)
{
    write("dip.dc", curveText(dip));
    start();
    Bytes& e = h->image();
    e[img::minLevel] = 50;                 // no input level gives 50: kept
    e[img::poLevel] = 40;                  // 40 came from 50
    e[img::dim2Steps + img::stepLevel] = 0xA8;               // relay off, 40
    e[img::dim2Steps + 3 + img::stepLevel] = 0xFF;           // unused step
    const Bytes before = e; // which other bytes are levels is tested with the mapping itself
    state().demo = false;
    openChooser();
    h->click("bDCOk");

    EXPECT_FALSE(h->shown("pDimmingCurve"));
    EXPECT_TRUE(h->shown("pOutput")) << "refilled and shown again";
    EXPECT_TRUE(box()->isChecked());
    EXPECT_EQ(box()->text(), "dip");
    EXPECT_TRUE(h->find<QPushButton>("bDC")->isEnabled());
    EXPECT_EQ(state().sw.dcIndex, 0);
    EXPECT_TRUE(state().dcApplied);
    EXPECT_EQ(differences(e, with(before, {{img::poLevel, 50}, {img::dim2Steps + img::stepLevel, 0xB2}})), "");

    // A second choice maps nothing more.
    const Bytes mapped = e;
    h->click("bDC");
    EXPECT_EQ(state().sw.dcIndex, -1);
    EXPECT_TRUE(h->shown("pDimmingCurve"));
    h->click("bDCOk");
    EXPECT_EQ(differences(e, mapped), "");
}

TEST_F(DimmingCurveTest, OkMapsNothingInDemoOrStickMode)
{
    write("dip.dc", curveText(dip));
    start();
    h->image()[img::poLevel] = 40;
    const Bytes before = h->image();
    openChooser();
    h->click("bDCOk");
    EXPECT_EQ(state().sw.dcIndex, 0);
    EXPECT_EQ(differences(h->image(), before), "");
    EXPECT_FALSE(state().dcApplied);

    // The stick store never maps the levels forward again.
    state().demo = false;
    h->form->link().usbStick = true;
    h->click("bDC");
    h->click("bDCOk");
    EXPECT_EQ(differences(h->image(), before), "");
    EXPECT_FALSE(state().dcApplied);
}

TEST_F(DimmingCurveTest, CancelAndUntickingDropTheCurve)
{
    write("dip.dc", curveText(dip));
    start();
    const Bytes before = h->image();
    openChooser();
    h->click("bDCOk");
    EXPECT_EQ(state().dimmingCurve, curvePoints(dip));
    box()->setChecked(false);
    EXPECT_EQ(state().sw.dcIndex, -1);
    EXPECT_TRUE(state().dimmingCurve.empty());
    EXPECT_EQ(box()->text(), "Correction OFF");
    EXPECT_FALSE(h->find<QPushButton>("bDC")->isEnabled());
    h->click("bOutput_Cancel");
    EXPECT_EQ(state().sw.dcIndex, -1) << "Cancel of the output panel brings nothing back";

    h->click("iTen");
    box()->setChecked(true);
    h->click("bDCCancel");
    EXPECT_FALSE(box()->isChecked());
    EXPECT_TRUE(state().dimmingCurve.empty());
    EXPECT_EQ(differences(h->image(), before), "");
}

TEST_F(DimmingCurveTest, UndoingNeedsTheBoxACurveAndANonDaliMode)
{
    write("half.dc", curveText(half));
    start();
    h->image()[img::poLevel] = 20;
    invCorrectDCIfChosen(*h->form);
    EXPECT_EQ(h->image()[img::poLevel], 20) << "no curve chosen";

    openChooser();
    h->click("bDCOk"); // demo mode: chosen, not mapped
    h->click("bOutput_OK");
    h->click("SW_Ten");
    h->click("SW_PWM"); // now DALI
    invCorrectDCIfChosen(*h->form);
    EXPECT_EQ(h->image()[img::poLevel], 20);
    EXPECT_FALSE(state().dcApplied);
    h->click("SW_DALI"); // 1-10V
    invCorrectDCIfChosen(*h->form);
    EXPECT_EQ(h->image()[img::poLevel], 41) << "the highest input level giving 20";
    EXPECT_TRUE(state().dcApplied);

    dropCurveChoice(*h->form);
    EXPECT_FALSE(box()->isChecked());
    EXPECT_EQ(state().sw.dcIndex, -1);
    EXPECT_TRUE(state().dimmingCurve.empty());
    EXPECT_FALSE(state().dcApplied);
    invCorrectDCIfChosen(*h->form);
    EXPECT_EQ(h->image()[img::poLevel], 41);
}

// "-dc=" from a restart after a store ticks the box on that curve; a
// missing or damaged one ticks nothing.
TEST_F(DimmingCurveTest, StartUpPreselectsTheCurveOfTheRestart)
{
    write("a.dc", curveText(identity));
    write("b.dc", curveText(half));
    write("c.dc", curveText(identity).replace("\r\n9\r\n", "\r\n-9\r\n"));
    const struct { const char* dc; bool ticked; int index; const char* text; } cases[] = {
        {"-dc=1", true, 1, "b"}, {"-dc=5", false, 5, "Correction OFF"}, {"-dc=2", false, -1, "Correction OFF"}};
    for (auto c : cases) {
        start({c.dc});
        EXPECT_EQ(box()->isChecked(), c.ticked) << c.dc;
        EXPECT_EQ(box()->text(), c.text) << c.dc;
        EXPECT_EQ(state().sw.dcIndex, c.index) << c.dc;
        EXPECT_EQ(state().dimmingCurve, c.ticked ? curvePoints(half) : Bytes{}) << c.dc;
        EXPECT_FALSE(h->shown("pDimmingCurve"));
        h->click("iTen");
        EXPECT_EQ(h->find<QPushButton>("bDC")->isEnabled(), c.ticked);
    }
}

// A "-dc=" past the list selects nothing: no file is read, no error shown.
TEST_F(DimmingCurveTest, ChooserOnAnIndexPastTheListShowsNoError)
{
    write("a.dc", curveText(identity));
    start({"-dc=5"});
    openChooser();
    EXPECT_TRUE(h->shown("pDimmingCurve"));
    EXPECT_EQ(list()->currentRow(), -1);
    EXPECT_EQ(plotError(), "");
    EXPECT_TRUE(state().dimmingCurve.empty());
    EXPECT_EQ(h->form->findChildren<QGroupBox*>("GroupBox16").size(), 1) << "design names are unique";
}
