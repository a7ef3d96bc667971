// The Qt platform's hourglass: asked twice it is set once, so one "not busy" brings the arrow back.

#include "pgm/window/QtPlatform.h"

#include "support/Person.h"

#include <QApplication>
#include <QCursor>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

TEST(QtPlatform, BusyCursorIsSetOnceAndRestoredOnce)
{
    nolt::QtPlatform platform;
    platform.setBusyCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "not busy at first: nothing to restore";
    platform.setBusyCursor(true);
    platform.setBusyCursor(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.setBusyCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the default arrow";
    platform.setBusyCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A timer ticks at its interval: one of a minute has not ticked when the events are handled at once, one of
// no time has.
TEST(QtPlatform, TimersTickAtTheirInterval)
{
    nolt::QtPlatform platform;
    int minute = 0, now = 0;
    const auto slow = platform.createTimer(60000, [&] { ++minute; });
    const auto fast = platform.createTimer(0, [&] { ++now; });
    slow->start();
    fast->start();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    EXPECT_TRUE(slow->isActive() && fast->isActive());
    EXPECT_EQ(minute, 0);
    EXPECT_GT(now, 0);
    fast->stop();
    EXPECT_FALSE(fast->isActive());
}

// Handling the messages runs what is queued for the event loop.
TEST(QtPlatform, ProcessMessagesRunsWhatIsQueued)
{
    nolt::QtPlatform platform;
    bool ran = false;
    QMetaObject::invokeMethod(qApp, [&] { ran = true; }, Qt::QueuedConnection);
    platform.processMessages();
    EXPECT_TRUE(ran);
}

// The question box answers what the person clicks: "Yes" is yes, "No" is no; a message waits for its "OK".
TEST(QtPlatform, BoxesWaitForTheButtonClicked)
{
    nolt::QtPlatform platform;
    const auto clickInBox = [](QString& why, const QString& text, QMessageBox::StandardButton button) {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            why = box->text() == text ? nolt::test::click(box->button(button)) : "the box says " + box->text();
    };
    for (const auto& [button, answer] : {std::pair{QMessageBox::Yes, true}, std::pair{QMessageBox::No, false}}) {
        QString why = "no box";
        QObject scope; // a click not made ends with the test
        QTimer::singleShot(0, &scope, [&, button = button] { clickInBox(why, "Are youe sure?", button); });
        EXPECT_EQ(platform.confirm("Are youe sure?"), answer);
        EXPECT_EQ(why, "");
    }
    QString why = "no box";
    QObject scope;
    QTimer::singleShot(0, &scope, [&] { clickInBox(why, "   USB Error!   ", QMessageBox::Ok); });
    platform.showMessage("   USB Error!   ");
    EXPECT_EQ(why, "");
}

// The save dialog is a save dialog: a typed name gets the default suffix, and "Cancel" gives no name.
TEST(QtPlatform, SaveDialogAddsTheSuffixAndCancelGivesNothing)
{
    nolt::QtPlatform platform;
    QTemporaryDir dir;
    const struct {
        const char* typed;
        QDialogButtonBox::StandardButton button;
        std::optional<QString> name;
    } rows[] = {{"porch", QDialogButtonBox::Save, dir.filePath("porch.ktc")},
                {"porch", QDialogButtonBox::Cancel, std::nullopt}};
    for (const auto& row : rows) {
        QString why = "no dialog";
        bool acted = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* extra = qobject_cast<QMessageBox*>(w); extra && extra->isVisible()) {
                    // A second question: close it so the test goes on, and report it.
                    why = "asked: " + extra->text();
                    extra->reject();
                    return;
                }
            QWidget* modal = QApplication::activeModalWidget();
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog)
                return;
            if (acted) { // still open after the click
                if (why.isEmpty())
                    why = "the dialog stayed open";
                dialog->reject();
                return;
            }
            acted = true;
            dialog->setDirectory(dir.path());
            why = nolt::test::type(dialog->findChild<QLineEdit*>("fileNameEdit"), row.typed);
            QPushButton* button = dialog->findChild<QDialogButtonBox*>("buttonBox")->button(row.button);
            if (why.isEmpty())
                why = button ? nolt::test::click(button) : QString("no such button");
            if (!why.isEmpty())
                dialog->reject();
        });
        poll.start(20);
        EXPECT_EQ(platform.saveFileName("Save", "Configuration files (*.ktc)", "ktc"), row.name) << row.typed;
        EXPECT_EQ(why, "") << row.typed;
    }
}

// A restart ends this run: the event loop returns at once. (The new instance, here this test program listing no
// test, is not waited for.)
TEST(QtPlatform, RestartEndsThisRun)
{
    nolt::QtPlatform platform;
    bool ended = true;
    QObject scope; // what has not run when the loop ends goes with the test
    QTimer::singleShot(0, &scope, [&] {
        platform.restartProgram("--gtest_list_tests --gtest_filter=-*");
        QTimer::singleShot(0, &scope, [&] {
            ended = false;
            QCoreApplication::exit();
        });
    });
    QCoreApplication::exec();
    EXPECT_TRUE(ended);
}
