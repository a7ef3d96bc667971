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
