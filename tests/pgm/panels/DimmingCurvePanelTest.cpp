// The dimming-curve files, the chooser and when the curve is undone on the image's levels.

#include "PanelTesting.h"

#include "pgm/panels/CurveFiles.h"
#include "pgm/panels/CurveMapping.h"
#include "pgm/panels/DimmingCurvePanel.h"

#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

using namespace nolt;
using namespace nolt::test;

namespace {

int identity(int i) { return i; }
int dip(int i) { return i == 50 ? 40 : i; } // maps 50 to 40, and nothing maps to 50
int half(int i) { return i / 2; }
// The 101 points of a curve, as bytes or as the lines of a curve file.
Bytes points(int (*f)(int))
{
    Bytes p;
    for (int i = 0; i <= 100; ++i)
        p.push_back(std::uint8_t(f(i)));
    return p;
}
QByteArray text(int (*f)(int))
{
    QByteArray t;
    for (int i = 0; i <= 100; ++i)
        t += QByteArray::number(f(i)) + "\r\n";
    return t;
}

struct DimmingCurveTest : PanelTest {
    QTemporaryDir dir;
    void write(const char* name, const QByteArray& data, const QString& folder = {})
    {
        QFile file((folder.isEmpty() ? dir.path() : folder) + "/" + name);
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
    QCheckBox* box() { return h->find<QCheckBox>("cbDC"); }
    bool bDC() { return h->find("bDC")->isEnabled(); }
    // The choice in one text: the box's tick and text, the chosen index, the number of curve points, and
    // whether the levels were mapped.
    std::string choice()
    {
        const AppState& s = state();
        return (box()->isChecked() ? "+" : "-") + box()->text().toStdString() + " " + std::to_string(s.sw.dcIndex)
            + " " + std::to_string(s.dimmingCurve.size()) + (s.dcApplied ? " applied" : "");
    }
    // The plot is red where the curve passes input level i at output v.
    bool drawnAt(int i, int v)
    {
        const QColor c = h->find<QLabel>("iDimmingCurve")->pixmap().toImage().pixelColor(49 + 4 * i, 446 - 4 * v);
        return c.red() > 200 && c.green() < 100 && c.blue() < 100;
    }
};

} // namespace

TEST_F(DimmingCurveTest, FilesAreListedInNameOrderWhateverOrderTheyWereWrittenIn)
{
    EXPECT_EQ(listCurveFiles(dir.filePath("missing")), std::nullopt);
    const QStringList listed = {"C.DC", "a.dc", "b.dc", "exact.dc"};
    QTemporaryDir second;
    const std::pair<QString, std::vector<const char*>> folders[] = {
        {dir.path(), {"b.dc", "a.dc", "C.DC", "short.dc", "exact.dc", "notes.txt"}},
        {second.path(), {"notes.txt", "exact.dc", "short.dc", "C.DC", "a.dc", "b.dc"}}};
    for (const auto& [folder, names] : folders)
        for (const char* name : names)
            write(name, QByteArray(name == std::string("short.dc") ? 100 : 101, '1'), folder);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.dc"));
    EXPECT_EQ(listCurveFiles(second.path()), listed);
    start();
    EXPECT_TRUE(state().dcFound);
    for (int i = 0; i < listed.size(); ++i)
        EXPECT_EQ(list()->item(i)->text(), listed[i]);
    EXPECT_EQ(list()->count(), listed.size());
    EXPECT_FALSE(shown("pDimmingCurve"));
    EXPECT_EQ(list()->currentRow(), -1) << "nothing selected at start-up";
}

TEST_F(DimmingCurveTest, TickingTheBoxOpensTheChooserOnTheFirstCurveAndNoBoxWithoutCurves)
{
    write("short.dc", "0\n1\n");
    start();
    EXPECT_FALSE(state().dcFound);
    act({"iTen", "!cbDC", "!bDC", "bOutput_Cancel"});
    write("a.dc", text(half));
    write("b.dc", text(identity));
    start();
    act({"iTen", "?cbDC"});
    EXPECT_EQ(box()->text(), "Correction OFF");
    EXPECT_FALSE(bDC());
    act({"cbDC+", "?pDimmingCurve"});
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_EQ(state().dimmingCurve, points(half));
    EXPECT_TRUE(drawnAt(60, 30) && drawnAt(100, 50) && !drawnAt(60, 60));
    list()->setCurrentRow(1);
    EXPECT_EQ(state().dimmingCurve, points(identity));
    EXPECT_TRUE(drawnAt(60, 60));
    EXPECT_FALSE(drawnAt(60, 30)) << "earlier drawings are erased";
}

TEST_F(DimmingCurveTest, DamagedFilesShowTheirErrorAndCannotBeChosen)
{
    QByteArray binary(101 * 3, '\0');
    for (int i = 0; i < binary.size(); i += 3)
        binary[i + 1] = '\x01', binary[i + 2] = '\n';
    const struct { const char* name; QByteArray text; const char* error; } cases[] = {
        {"a_100.dc", text(identity).chopped(5), "Error: Nr. of points is not 101!"},
        {"b_102.dc", text(identity) + "100\r\n", "Error: Nr. of points is not 101!"},
        {"c_word.dc", text(identity).replace("\r\n7\r\n", "\r\nseven\r\n"), "Error: Wrong Data!"},
        {"d_101.dc", text([](int i) { return i == 70 ? 101 : i; }), "Error: Wrong Data!"},
        {"e_binary.dc", binary, "Error: Wrong Data!"},
        {"f_noline.dc", QByteArray(300, '\x7f'), "Error: Nr. of points is not 101!"},
    };
    for (const auto& c : cases)
        write(c.name, c.text);
    start();
    load({{img::poLevel, 40}});
    const Bytes before = image();
    state().demo = false; // as in driver mode, where OK maps the levels
    act({"iTen", "cbDC+"});
    for (int row = 0; row < int(std::size(cases)); ++row) {
        list()->setCurrentRow(row);
        EXPECT_EQ(h->find("iDimmingCurve")->accessibleDescription(), cases[row].error) << cases[row].name;
        EXPECT_TRUE(state().dimmingCurve.empty()) << cases[row].name;
        act({"bDCOk", "?pDimmingCurve"});
        EXPECT_EQ(state().sw.dcIndex, -1);
    }
    act({"bDCCancel", "!pDimmingCurve"});
    EXPECT_EQ(choice(), "-Correction OFF -1 0");
    EXPECT_EQ(differences(image(), before), "");
}

// In driver mode OK undoes the curve on the levels once, keeping relay bits and unused steps; in demo and
// stick mode it maps nothing (the stick store never maps the levels forward again).
TEST_F(DimmingCurveTest, OkUndoesTheCurveOnceOnlyInDriverMode)
{
    write("dip.dc", text(dip));
    start();
    // No input level gives 50: kept; 40 came from 50, also in a step with the relay off.
    load({{img::minLevel, 50}, {img::poLevel, 40}, {img::dim2Steps + img::stepLevel, 0xA8},
          {img::dim2Steps + 3 + img::stepLevel, 0xFF}});
    const Bytes before = image();
    state().demo = false;
    act({"iTen", "cbDC+", "bDCOk", "!pDimmingCurve", "?pOutput"});
    EXPECT_EQ(choice(), "+dip 0 101 applied");
    EXPECT_TRUE(bDC());
    EXPECT_EQ(differences(image(), with(before, {{img::poLevel, 50}, {img::dim2Steps + img::stepLevel, 0xB2}})), "");
    const Bytes mapped = image();
    act({"bDC", "?pDimmingCurve"});
    EXPECT_EQ(state().sw.dcIndex, -1);
    act({"bDCOk"});
    EXPECT_EQ(differences(image(), mapped), "") << "a second choice maps nothing more";

    for (const bool stick : {false, true}) {
        start();
        load({{img::poLevel, 40}});
        const Bytes loaded = image();
        state().demo = !stick;
        h->form->link().usbStick = stick;
        act({"iTen", "cbDC+", "bDCOk"});
        EXPECT_EQ(choice(), "+dip 0 101") << stick;
        EXPECT_EQ(differences(image(), loaded), "");
    }
}

TEST_F(DimmingCurveTest, CancelAndUntickingDropTheCurve)
{
    write("dip.dc", text(dip));
    start();
    const Bytes before = image();
    act({"iTen", "cbDC+", "bDCOk"});
    EXPECT_EQ(state().dimmingCurve, points(dip));
    act({"cbDC-"});
    EXPECT_EQ(choice(), "-Correction OFF -1 0");
    EXPECT_FALSE(bDC());
    act({"bOutput_Cancel"});
    EXPECT_EQ(choice(), "-Correction OFF -1 0") << "Cancel of the output panel brings nothing back";
    act({"iTen", "cbDC+", "bDCCancel"});
    EXPECT_EQ(choice(), "-Correction OFF -1 0");
    EXPECT_EQ(differences(image(), before), "");
}

TEST_F(DimmingCurveTest, UndoingNeedsTheBoxACurveAndANonDaliMode)
{
    write("half.dc", text(half));
    start();
    load({{img::poLevel, 20}});
    invCorrectDCIfChosen(*h->form);
    EXPECT_EQ(image()[img::poLevel], 20) << "no curve chosen";
    act({"iTen", "cbDC+", "bDCOk", "bOutput_OK", "SW_Ten", "SW_PWM"}); // chosen in demo mode; now DALI
    invCorrectDCIfChosen(*h->form);
    EXPECT_EQ(image()[img::poLevel], 20);
    EXPECT_EQ(choice(), "+half 0 101");
    act({"SW_DALI"}); // 1-10V
    invCorrectDCIfChosen(*h->form);
    EXPECT_EQ(image()[img::poLevel], 41) << "the highest input level giving 20";
    EXPECT_EQ(choice(), "+half 0 101 applied");
    dropCurveChoice(*h->form);
    EXPECT_EQ(choice(), "-Correction OFF -1 0");
    invCorrectDCIfChosen(*h->form);
    EXPECT_EQ(image()[img::poLevel], 41);
}

// "-dc=" from a restart after a store ticks the box on that curve; a missing or damaged one ticks nothing,
// and one past the list selects nothing: no file is read, no error shown.
TEST_F(DimmingCurveTest, StartUpPreselectsTheCurveOfTheRestart)
{
    write("a.dc", text(identity));
    write("b.dc", text(half));
    write("c.dc", text(identity).replace("\r\n9\r\n", "\r\n-9\r\n"));
    const struct { const char *dc, *choice; } cases[] = {
        {"-dc=1", "+b 1 101"}, {"-dc=5", "-Correction OFF 5 0"}, {"-dc=2", "-Correction OFF -1 0"}};
    for (auto c : cases) {
        start({c.dc});
        EXPECT_EQ(choice(), c.choice) << c.dc;
        act({"!pDimmingCurve", "iTen"});
        EXPECT_EQ(bDC(), c.choice[0] == '+');
    }
    start({"-dc=1"});
    EXPECT_EQ(state().dimmingCurve, points(half));
}

TEST_F(DimmingCurveTest, ChooserOnAnIndexPastTheListShowsNoError)
{
    write("a.dc", text(identity));
    start({"-dc=5"});
    act({"iTen", "cbDC+", "?pDimmingCurve"});
    EXPECT_EQ(list()->currentRow(), -1);
    EXPECT_EQ(h->find("iDimmingCurve")->accessibleDescription(), "");
    EXPECT_TRUE(state().dimmingCurve.empty());
    EXPECT_EQ(h->form->findChildren<QGroupBox*>("GroupBox16").size(), 1) << "design names are unique";
}
