// The dimming-curve files, the chooser and when the curve is undone on the image's levels.

#include "PanelTesting.h"

#include "pgm/kit/Artwork.h"
#include "pgm/panels/DimmingCurvePanel.h"

#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

int identity(int i) { return i; }
int dip(int i) { return i == 50 ? 40 : i; } // maps 50 to 40, and nothing maps to 50
int half(int i) { return i / 2; }
// The lines of a curve file with the 101 points of f.
QByteArray text(int (*f)(int))
{
    QByteArray t;
    for (int i = 0; i <= 100; ++i)
        t += QByteArray::number(f(i)) + "\r\n";
    return t;
}

struct DimmingCurveTest : PanelTest {
    QTemporaryDir dir;
    void write(const char* name, const QByteArray& data)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(data) == data.size());
    }
    // Starts the window in demo mode on the curves of `dir`.
    void start(QStringList parameters = {})
    {
        h = std::make_unique<FormHarness>(std::move(parameters));
        h->form->findChild<DimmingCurvePanel*>()->setCurveFolder(dir.path());
        h->form->FormActivate();
    }
    QListWidget* list() { return h->find<QListWidget>("lbDimmingCurve"); }
    // The box's tick and text, "!" when bDC is enabled, the chosen index, the curve's point at 60 (its size
    // when not 101 points), whether the levels were mapped.
    std::string choice()
    {
        const AppState& s = h->state();
        const QCheckBox* box = h->find<QCheckBox>("cbDC");
        const auto& c = s.dimmingCurve;
        return (box->isChecked() ? "+" : "-") + box->text().toStdString() + (h->find("bDC")->isEnabled() ? "! " : " ")
            + std::to_string(s.sw.dcIndex) + " " + std::to_string(c.size() == 101 ? c[60] : c.size())
            + (s.dcApplied ? " applied" : "");
    }
    // The plot is red where the curve passes input level i at output v.
    bool drawnAt(int i, int v)
    {
        const QColor c = h->find<QLabel>("iDimmingCurve")->pixmap().toImage().pixelColor(49 + 4 * i, 446 - 4 * v);
        return c.red() > 200 && c.green() < 100 && c.blue() < 100;
    }
    QString error() { return h->find("iDimmingCurve")->accessibleDescription(); }
};

} // namespace

// The chooser lists the ".dc" files of at least 101 bytes in name order, whatever order they were written in;
// ticking opens it on the first curve and plots it; damaged files show their error and are never chosen;
// unticking and Cancel drop the curve, and no curve files means no box.
TEST_F(DimmingCurveTest, ChooserTicksPlotsAndDropsTheCurve)
{
    write("short.dc", QByteArray(100, '1'));
    start();
    act({"iTen", "!cbDC", "!bDC", "bOutput_Cancel"}); // a folder without curves: no box
    write("exact.dc", QByteArray(101, '1'));
    write("a.dc", text(identity));
    write("notes.txt", text(half));
    write("B.dc", text(half)); // capitals first
    write("c.dc", text(identity).chopped(5));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.dc"));
    start();
    load({{img::poLevel, 40}});
    const Bytes before = image();
    h->state().demo = false; // as in driver mode, where OK maps the levels
    act({"iTen", "?cbDC"});
    EXPECT_EQ(choice(), "-Correction OFF -1 0");
    act({"cbDC+", "?pDimmingCurve", "!pDcHelp"});
    EXPECT_EQ(unreachable(h->find("iDimmingCurve"), QPoint(400, 150)), "") << "the chart lies over the output panel";
    EXPECT_EQ(list()->currentRow(), 0);
    QStringList listed;
    for (int row = 0; row < list()->count(); ++row)
        listed << list()->item(row)->text();
    EXPECT_EQ(listed, QStringList({"B.dc", "a.dc", "c.dc", "exact.dc"}));
    EXPECT_EQ(choice(), "+Correction OFF -1 30");
    EXPECT_TRUE(drawnAt(60, 30) && drawnAt(100, 50) && !drawnAt(60, 60));
    act({"lbDimmingCurve=1"});
    EXPECT_EQ(choice(), "+Correction OFF -1 60");
    EXPECT_TRUE(drawnAt(60, 60) && !drawnAt(60, 30)) << "earlier drawings are erased";
    act({"lbDimmingCurve=2"});
    EXPECT_EQ(error(), "Error: Nr. of points is not 101!");
    act({"bDCOk", "?pDimmingCurve"});
    EXPECT_EQ(choice(), "+Correction OFF -1 0") << "a damaged file is never chosen";
    act({"bDCCancel", "!pDimmingCurve"});
    EXPECT_EQ(choice(), "-Correction OFF -1 0");
    h->state().demo = true;
    act({"cbDC+", "bDCOk", "!pDimmingCurve"}); // back on the first curve, demo mode: nothing mapped
    EXPECT_EQ(choice(), "+B! 0 30");
    act({"cbDC-"});
    EXPECT_EQ(choice(), "-Correction OFF -1 0");
    act({"bOutput_Cancel"});
    EXPECT_EQ(choice(), "-Correction OFF -1 0") << "Cancel of the output panel brings nothing back";
    EXPECT_EQ(differences(image(), before), "");
}

// In driver mode OK undoes the curve on the levels once; in demo and
// stick mode it maps nothing (the stick store never maps the levels forward again). Undoing needs the box,
// a curve and a non-DALI mode.
TEST_F(DimmingCurveTest, OkUndoesTheCurveOnceOnlyInDriverMode)
{
    write("dip.dc", text(dip));
    const struct { bool demo, stick; std::uint8_t level; const char* choice; } modes[] = {
        {false, false, 50, "+dip! 0 60 applied"}, {true, false, 40, "+dip! 0 60"}, {false, true, 40, "+dip! 0 60"}};
    for (const auto& m : modes) {
        start();
        load({{img::minLevel, 40}, {img::poLevel, 50}}); // 40 came from 50; no input level gives 50: kept
        const Bytes before = image();
        h->state().demo = m.demo;
        h->form->link().usbStick = m.stick;
        act({"iTen", "cbDC+"});
        EXPECT_TRUE(drawnAt(50, 42) && drawnAt(100, 100)) << "the dip at 50 (its tip bevelled), 4 pixels a per cent";
        act({"bDCOk", "!pDimmingCurve", "?pOutput", "bDC", "?pDimmingCurve", "bDCOk"});
        EXPECT_EQ(choice(), m.choice);
        EXPECT_EQ(edit("eMinLevel"), QString::number(m.level)) << "the open output panel shows the level mapped";
        act({"bOutput_Cancel"});
        EXPECT_EQ(differences(image(), with(before, {{img::minLevel, m.level}})), "") << "mapped once at most";
    }
}

// "-dc=" from a restart after a store ticks the box on that curve; a missing or damaged one ticks nothing,
// and one past the list selects nothing: no file is read, no error shown.
TEST_F(DimmingCurveTest, StartUpPreselectsTheCurveOfTheRestart)
{
    write("a.dc", text(identity));
    write("b.dc", text(half));
    write("c.dc", text(identity).replace("\r\n9\r\n", "\r\n-9\r\n"));
    const struct { const char *dc, *choice; } cases[] = {
        {"-dc=1", "+b! 1 30"}, {"-dc=5", "-Correction OFF 5 0"}, {"-dc=2", "-Correction OFF -1 0"}};
    for (auto c : cases) {
        start({c.dc});
        act({"!pDimmingCurve", "iTen"});
        EXPECT_EQ(choice(), c.choice) << c.dc;
    }
    start({"-dc=5"});
    act({"iTen", "cbDC+", "?pDimmingCurve"});
    EXPECT_EQ(list()->currentRow(), -1);
    EXPECT_EQ(error(), "");
    EXPECT_EQ(choice(), "+Correction OFF 5 0");
    EXPECT_EQ(h->form->findChildren<QGroupBox*>("GroupBox16").size(), 1) << "design names are unique";
}

namespace {

// A person's click on row `row` of the chooser's list.
void clickRow(QListWidget* list, int row)
{
    ASSERT_TRUE(list->isVisible() && row < list->count());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

} // namespace

// A damaged file, clicked after a good one: its error is written on the chart, and the good curve is gone from it;
// the next good one is plotted without the error.
TEST_F(DimmingCurveTest, ADamagedFileShowsItsErrorAndNoStalePlot)
{
    write("a.dc", text(half));
    write("b.dc", text(identity).chopped(5));
    start();
    act({"iTen", "cbDC+", "?pDimmingCurve"});
    EXPECT_TRUE(drawnAt(60, 30) && drawnAt(100, 50));
    clickRow(list(), 1);
    EXPECT_EQ(error(), "Error: Nr. of points is not 101!");
    EXPECT_FALSE(drawnAt(60, 30) || drawnAt(100, 50) || drawnAt(0, 0)) << "the earlier plot is gone";
    const QImage chart = h->find<QLabel>("iDimmingCurve")->pixmap().toImage();
    const QImage empty = art::picture(QStringLiteral("chart_dimming_curve"), QSize(500, 500)).toImage();
    EXPECT_NE(chart.copy(100, 100, 400, 40), empty.copy(100, 100, 400, 40).convertToFormat(chart.format()))
        << "the error is written on the chart";
    clickRow(list(), 0);
    EXPECT_EQ(error(), "");
    EXPECT_TRUE(drawnAt(60, 30));
    act({"bDCCancel", "!pDimmingCurve"});
    EXPECT_EQ(choice(), "-Correction OFF -1 0") << "Cancel drops the curve read";
    // The chooser opens again on the first curve; the damaged one, clicked last time, is read again.
    act({"cbDC+"});
    clickRow(list(), 1);
    act({"bDCCancel", "cbDC+", "?pDimmingCurve"});
    EXPECT_EQ(error(), "");
    clickRow(list(), 1);
    EXPECT_EQ(error(), "Error: Nr. of points is not 101!");
    act({"bDCCancel"});
}

// With curve files the output panel offers the curve box and its button outside DALI, neither in DALI.
TEST_F(DimmingCurveTest, CurveControlsShowOutsideDaliOnly)
{
    write("a.dc", text(half));
    start();
    act({"iTen", "?cbDC", "?bDC", "bOutput_Cancel"});
    EXPECT_FALSE(h->find<QPushButton>("bDC")->icon().isNull()) << "the button shows its curve";
    load({{img::featureFlags, img::outputDaliLog}});
    act({"Dali", "!cbDC", "!bDC", "bOutput_Cancel"});
}

// After a "-dc=" start the output panel's curve button can be clicked; it lists the folder again, with a
// curve written since, and opens the chooser on the first curve.
TEST_F(DimmingCurveTest, TheCurveButtonOfARestartListsTheFolderAgain)
{
    write("b.dc", text(identity));
    write("c.dc", text(half));
    start({"-dc=1"});
    act({"iTen"});
    EXPECT_EQ(choice(), "+c! 1 30");
    write("a.dc", text(identity));
    act({"bDC", "?pDimmingCurve"});
    ASSERT_EQ(list()->count(), 3);
    EXPECT_EQ(list()->item(0)->text(), "a.dc");
    EXPECT_EQ(list()->currentRow(), 0);
    act({"bDCOk", "!pDimmingCurve"});
    EXPECT_EQ(choice(), "+a! 0 60");
}

// With its files gone since, the curve button and the curve box still open the chooser, on an empty list and an
// empty chart, and Cancel is the way out.
TEST_F(DimmingCurveTest, TheChooserOpensWithTheFilesGone)
{
    const struct { QStringList parameters; const char* open; } cases[] = {{{"-dc=0"}, "bDC"}, {{}, "cbDC+"}};
    for (const auto& c : cases) {
        write("a.dc", text(half));
        start(c.parameters);
        ASSERT_TRUE(QFile::remove(dir.filePath("a.dc")));
        act({"iTen", c.open, "?pDimmingCurve", "bDCOk", "?pDimmingCurve"});
        EXPECT_EQ(list()->count(), 0);
        EXPECT_FALSE(h->find<QLabel>("iDimmingCurve")->pixmap().isNull()) << c.open;
        act({"bDCCancel"});
        EXPECT_EQ(choice(), "-Correction OFF -1 0");
    }
}

// The chooser's help closes on a click on its picture or on the frame around it.
TEST_F(DimmingCurveTest, HelpClosesOnAClick)
{
    write("a.dc", text(half));
    start();
    act({"iTen", "cbDC+", "bDcHelp", "?pDcHelp"});
    EXPECT_FALSE(h->find<QLabel>("Image1")->pixmap().isNull());
    act({"Image1", "!pDcHelp", "bDcHelp", "?pDcHelp"});
    EXPECT_EQ(clickAt(h->find("pDcHelp"), QPoint(2, 2)), "");
    act({"!pDcHelp", "?pDimmingCurve", "bDCCancel"});
}
