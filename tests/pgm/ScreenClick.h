#pragma once
// Clicks where a user clicks: on whatever lies on top at the centre of the
// named picture, so that an overlay or an open panel takes the click.

#include "Harness.h"

#include <QComboBox>

namespace nolt::test {

inline void clickOnScreen(FormHarness& h, const char* name)
{
    QWidget* w = h.find(name);
    ASSERT_NE(w, nullptr);
    const QPoint at = w->mapTo(h.form.get(), w->rect().center());
    QWidget* top = h.form->childAt(at);
    ASSERT_NE(top, nullptr) << "nothing to click at " << name;
    QTest::mouseClick(top, Qt::LeftButton, {}, top->mapFrom(h.form.get(), at));
}

// Visibility of a set of controls, to tell that a click changed nothing.
inline std::vector<bool> visibility(FormHarness& h, std::initializer_list<const char*> names)
{
    std::vector<bool> v;
    for (const char* n : names)
        v.push_back(h.shown(n));
    return v;
}

// Picks an item of a range selector as the user does.
inline void chooseItem(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

} // namespace nolt::test
