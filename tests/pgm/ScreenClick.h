#pragma once
// Driving the main screen as a user does, for the feature panels' tests.

#include "Harness.h"

#include <QComboBox>

namespace nolt::test {

// A started window in demo mode, for each test of a panel.
struct PanelTest : ::testing::Test {
    std::unique_ptr<FormHarness> h = FormHarness::started();
};

// The default image with some bytes changed, drawn on the main screen.
inline void loadImage(FormHarness& h, std::initializer_list<std::pair<int, std::uint8_t>> changes)
{
    Bytes e(defaultImage.begin(), defaultImage.end());
    for (auto [at, value] : changes)
        e[at] = value;
    std::copy(e.begin(), e.end(), h.image().begin());
    h.form->setDisplay();
}

// Clicks whatever lies on top at the centre of the named picture, so that
// an overlay or an open panel takes the click.
inline void clickOnScreen(FormHarness& h, const char* name)
{
    QWidget* w = h.find(name);
    ASSERT_NE(w, nullptr);
    const QPoint at = w->mapTo(h.form.get(), w->rect().center());
    QWidget* top = h.form->childAt(at);
    ASSERT_NE(top, nullptr) << "nothing to click at " << name;
    QTest::mouseClick(top, Qt::LeftButton, {}, top->mapFrom(h.form.get(), at));
}

// Runs the clicks with the window busy; they must change neither the image
// nor what the named controls show.
inline void expectBusyBlocks(FormHarness& h, std::initializer_list<const char*> clicks,
                             std::initializer_list<const char*> watched)
{
    auto shown = [&] {
        std::vector<bool> v;
        for (const char* n : watched)
            v.push_back(h.shown(n));
        return v;
    };
    h.form->state().formDisabled = true;
    const Bytes before = h.image();
    const auto shownBefore = shown();
    for (const char* n : clicks)
        h.click(n);
    EXPECT_EQ(h.image(), before);
    EXPECT_EQ(shown(), shownBefore);
    h.form->state().formDisabled = false;
}

// Picks an item of a range selector as the user does.
inline void chooseItem(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

} // namespace nolt::test
