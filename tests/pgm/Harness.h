#pragma once
// A main window on the scripted platform, for tests that drive it by the
// object names of its controls.

#include "pgm/TForm1.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPlatform.h"

#include <QAbstractButton>
#include <QTest>

#include <gtest/gtest.h>

namespace nolt::test {

struct FormHarness {
    ScriptedPlatform platform;
    std::unique_ptr<TForm1> form;

    // Creates the window; loader supplies the HID library (none by default).
    explicit FormHarness(QStringList parameters = {}, HidLoader loader = [] { return nullptr; })
    {
        form = std::make_unique<TForm1>(platform, std::move(parameters), std::move(loader));
        form->show();
    }

    // Creates the window and runs the start-up sequence.
    static std::unique_ptr<FormHarness> started(QStringList parameters = {},
                                                HidLoader loader = [] { return nullptr; })
    {
        auto h = std::make_unique<FormHarness>(std::move(parameters), std::move(loader));
        h->form->FormActivate();
        return h;
    }

    template <typename W = QWidget>
    W* find(const char* name) const
    {
        W* w = form->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << "no control named " << name;
        return w;
    }

    // Visible within the window (whether or not the window is on screen).
    bool shown(const char* name) const
    {
        QWidget* w = find(name);
        return w && w->isVisibleTo(form.get());
    }

    void click(const char* name)
    {
        QWidget* w = find(name);
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
    }

    Bytes& image() { return form->state().eeBlock; }
};

} // namespace nolt::test
