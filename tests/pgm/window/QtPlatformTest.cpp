// The Qt platform's hourglass: asked twice it is set once, so one "not busy" brings the arrow back.

#include "pgm/window/QtPlatform.h"

#include <QApplication>
#include <QCursor>

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
