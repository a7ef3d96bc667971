// Stick mode on the window: the read, the log box, the debug pane, "ReRead", "Transfer" and "Update FW".

#include "Harness.h"

#include "pgm/window/StickMode.h"
#include "sim/StickModel.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTimer>

struct StickWindow {
    sim::SimDevice device{std::make_unique<sim::StickModel>(), 64, 64};
    sim::StickModel& model = *static_cast<sim::StickModel*>(device.model());
    int loadResCalls = 0;
    FormHarness h;

    explicit StickWindow(QStringList parameters = {})
        : h(std::move(parameters), [this] { return std::make_unique<sim::BorrowedDevice>(device); })
    {
        for (int i = 0; i < 256; ++i)
            model.memory[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(255 - i);
        h.form->hooks().loadRes = [this] { ++loadResCalls; };
        h.form->FormActivate();
    }
    StickMode& stick() { return *h.form->findChild<StickMode*>(); }
    // "Update FW" with `length` bytes of firmware 0x17, the stick answering every 300 ms.
    void updateSlowly(int length)
    {
        h.state().firmware.fwImage.assign(12288, 0x17);
        h.state().firmware.fwLength = length;
        model.slowReads = 2;
        h.click("bUpdateFw");
    }
    // Lets the stick protocol run until the stick has nothing more to say.
    void settle()
    {
        for (int t = 0; t < 60000 && (model.pending() > 0 || device.pendingReplies() > 0); t += 100)
            h.platform.advance(100);
        h.platform.advance(300);
    }
};

// With -debug the debug pane shows the frames until "Stop" is ticked; with -set60Hz the 60 Hz label shows.
TEST(StickMode, StartUpFindsTheStickAndReadsItsMemory)
{
    StickWindow w({"-skipFW", "-showLog", "-debug", "-set60Hz"});
    FormHarness& h = w.h;
    EXPECT_EQ(h.form->caption(), "USB Stick");
    EXPECT_TRUE(w.stick().timer3().isActive());
    EXPECT_EQ(w.loadResCalls, 1) << "the built-in firmware loads in stick mode even with -skipFW";
    for (const char* hidden : {"bM1", "bM4", "gbLog", "pDebug"})
        EXPECT_FALSE(h.shown(hidden)) << hidden;
    EXPECT_TRUE(h.state().formDisabled && h.shown("cbStickDebug"));
    h.tick("cbStickDebug", true);
    EXPECT_TRUE(h.shown("pDebug"));
    const auto* scroll = h.find<QPlainTextEdit>("mDebug")->verticalScrollBar();
    EXPECT_TRUE(scroll->isVisibleTo(h.form.get())) << "the memo has its scroll bar from the start";
    w.settle();
    EXPECT_EQ(h.form->caption(), "USB Stick, Device Nr. 12345678, FW 1.72            Ready...");
    EXPECT_EQ(h.image(), Bytes(w.model.memory.begin(), w.model.memory.end()));
    EXPECT_EQ(h.text("lPO_Level"), "L=252%") << "the screen shows what was read";
    for (const char* b : {"bUpdateFw", "bReread", "bMemStore", "bMemClear", "bLoad", "bSave", "gbLog", "l60Hz"})
        EXPECT_TRUE(h.shown(b)) << b;
    EXPECT_FALSE(h.state().formDisabled || h.shown("bMemCancel"));
    // The log box with -showLog, each value beside its caption; memory bytes 247..254 are 8..1 here.
    QStringList captions;
    for (const QLabel* l : h.find("gbLog")->findChildren<QLabel*>())
        if (l->objectName().isEmpty())
            captions << l->text();
    EXPECT_EQ(captions, QStringList({"Operation", "Switch cnt.", "Max. T", "Over T"}));
    EXPECT_EQ(h.text("lOp"), QString::number(8 + 7 * 256 + 6 * 65536) + " min");
    EXPECT_EQ(h.text("lSwCnt"), "1029");
    EXPECT_EQ(h.text("lOverT"), "7725 min") << "15 min per count of 515";
    EXPECT_EQ(h.text("lMaxT"), "1 °C");
    auto* memo = h.find<QPlainTextEdit>("mDebug");
    EXPECT_EQ(memo->toPlainText().split('\n').count("Send: Read Memory 0x00"), 1);
    EXPECT_TRUE(memo->toPlainText().contains(" 08 07 06 05 04 03 02 01 ")) << "the dump of bytes 247..254";
    for (const QFont& font : {memo->font(), evenlySpaced(QFont(QStringLiteral("DejaVu Sans")))}) {
        const QFontMetrics pitch(font); // the dump's columns line up
        EXPECT_EQ(pitch.horizontalAdvance(QStringLiteral("iiii")), pitch.horizontalAdvance(QStringLiteral("WWWW")));
    }
    w.model.memory[3] = 0x42;
    w.model.slowReads = 2; // an answer every 300 ms
    h.tick("cbDebugHold", true); // "Stop" holds the memo
    h.click("bReread");
    h.platform.advance(1000);
    // While the read runs nothing changes the image it will replace: "ReRead", "Transfer", "Load" and "Default"
    // beep and open nothing, a tile opens no panel; "Save" still opens its dialog.
    for (const char* button : {"bReread", "bMemStore", "bLoad", "bMemClear", "iTDpc_en", "bSave"})
        h.click(button);
    EXPECT_EQ(h.platform.beeps, 4);
    EXPECT_EQ(h.platform.fileDialogTitles, QStringList{"Configuration Save"});
    EXPECT_TRUE(h.platform.confirmations.isEmpty());
    EXPECT_FALSE(h.shown("pStartupDelay"));
    w.settle();
    EXPECT_EQ(h.image(), Bytes(w.model.memory.begin(), w.model.memory.end())) << "one read, whole";
    EXPECT_EQ(h.text("lPO_Level"), "L=66%");
    w.model.slowReads = 0;
    EXPECT_FALSE(h.state().formDisabled);
    // With a panel open "ReRead" beeps: the read would replace what the panel's OK writes.
    h.click("iTDpc_en");
    const std::size_t sent = w.device.written.size();
    h.click("bReread");
    w.settle();
    EXPECT_EQ(w.device.written.size(), sent);
    EXPECT_EQ(h.platform.beeps, 5);
    h.click("bDPC_Cancel");
    EXPECT_EQ(memo->toPlainText().split('\n').count("Send: Read Memory 0x00"), 1);
    h.tick("cbStickDebug", false);
    EXPECT_FALSE(h.shown("pDebug"));
    // "Transfer" writes to the stick without a restart, and the window stays usable.
    h.image()[10] = 0x33;
    h.click("bMemStore");
    EXPECT_TRUE(h.shown("bMemStore") && !h.state().formDisabled && h.platform.restarts.empty());
    w.settle();
    EXPECT_EQ(w.model.memory[10], 0x33);
    h.state().firmware.fwImage.assign(12288, 0x17);
    h.state().firmware.fwLength = 145;
    h.click("bUpdateFw");
    h.platform.advance(300); // page 1: X, X (part 3 sent), X
    const auto* bar = h.find<QProgressBar>("pbFWUpdate");
    EXPECT_TRUE(h.shown("pbFWUpdate") && bar->text() == "33%") << "one page of three";
    w.settle();
    EXPECT_FALSE(h.shown("pbFWUpdate"));
}

TEST(StickMode, ClosingDuringAReplyStopsTimer3ForGood)
{
    StickWindow w;
    w.h.platform.advance(150); // the idle report has been handled; the identity is next
    QTimer::singleShot(0, w.h.form.get(), [&] { w.h.form->close(); });
    w.stick().machine().Timer3Timer(); // the window closes while the reply is handled
    EXPECT_TRUE(w.h.form->closed() && !w.stick().timer3().isActive());
    const std::size_t sent = w.device.written.size();
    w.h.platform.advance(3000);
    EXPECT_EQ(w.device.written.size(), sent);
}

// Pulled out after two Write Memory frames and plugged back 1.5 s later: the write ends with "Transfer Error!" and
// the buttons usable; the next "Transfer" finds the stick again and writes the image whole.
TEST(StickMode, AStickPulledOutDuringTransferWorksAgainOncePluggedBack)
{
    StickWindow w;
    FormHarness& h = w.h;
    w.settle();
    h.image().assign(256, 0x42);
    w.model.unplugAfter = w.model.frames + 2;
    h.click("bMemStore");
    h.platform.advance(1500);
    EXPECT_EQ(h.form->caption(), "Transfer Error!");
    EXPECT_EQ(w.model.writeFrames, 2);
    EXPECT_FALSE(h.state().formDisabled);
    w.device.plugIn();
    h.click("bMemStore");
    w.settle();
    EXPECT_EQ(Bytes(w.model.memory.begin(), w.model.memory.begin() + 250), Bytes(250, 0x42));
    EXPECT_EQ(h.form->caption(), "Transfer Error!->Transfer finished.");
}

// The stick goes silent during the first read after plug-in: 3 s later "ReRead" is offered alone and the window
// stays busy; "ReRead" then reads the stick whole.
TEST(StickMode, AFirstReadThatStopsOffersReReadAlone)
{
    StickWindow w;
    FormHarness& h = w.h;
    w.model.silentAfter = 2;
    h.platform.advance(5000);
    EXPECT_TRUE(h.shown("bReread") && h.state().formDisabled);
    for (const char* hidden : {"bMemStore", "bUpdateFw", "bLoad", "bSave", "bMemClear"})
        EXPECT_FALSE(h.shown(hidden)) << hidden;
    w.model.silentAfter = -1;
    h.click("bReread");
    w.settle();
    EXPECT_EQ(h.image(), Bytes(w.model.memory.begin(), w.model.memory.end()));
    EXPECT_TRUE(h.shown("bMemStore") && !h.state().formDisabled);
}

// A panel left open when the stick announces itself again (here after a firmware update) changes nothing while the
// read that follows runs: the panel takes no click until the read has ended, and no tile opens another one.
TEST(StickMode, APanelOpenWhenTheStickAnnouncesItselfWaitsForTheRead)
{
    StickWindow w;
    FormHarness& h = w.h;
    w.settle();
    w.updateSlowly(72); // one page
    for (int t = 0; t < 3000 && !h.form->caption().endsWith("->FW Update finished."); t += 100)
        h.platform.advance(100);
    w.model.memory[img::poLevel] = 77;
    h.click("iTDpc_en");
    for (int t = 0; t < 3000 && !h.state().stickReading; t += 100)
        h.platform.advance(100);
    ASSERT_TRUE(h.state().stickReading && h.shown("pStartupDelay"));
    EXPECT_FALSE(h.shown("bMemStore") || h.shown("bUpdateFw")) << "no transfer while the stick is read again";
    for (const char* control : {"cbRandom", "bDPC_OK", "bDPC_Cancel"})
        EXPECT_FALSE(test::click(h.find<QWidget>(control)).isEmpty()) << control << " took a click during the read";
    EXPECT_TRUE(h.shown("pStartupDelay"));
    w.settle();
    EXPECT_EQ(h.image(), Bytes(w.model.memory.begin(), w.model.memory.end()));
    h.click("bDPC_Cancel");
    EXPECT_FALSE(h.state().formDisabled);
    EXPECT_EQ(h.text("lPO_Level"), "L=77%");
}

// "Transfer" pressed during a firmware update only beeps: the update keeps its progress bar and its device, and
// sends every page.
TEST(StickMode, TransferDuringAnUpdateOnlyBeeps)
{
    StickWindow w;
    FormHarness& h = w.h;
    w.settle();
    w.updateSlowly(145); // three pages
    h.platform.advance(1000);
    h.click("bMemStore");
    EXPECT_EQ(h.platform.beeps, 1);
    EXPECT_TRUE(h.shown("pbFWUpdate"));
    w.settle();
    EXPECT_EQ(w.model.firmware, Bytes(3 * 72, 0x17));
    EXPECT_EQ(w.model.resets, 1) << "the update ended";
}
