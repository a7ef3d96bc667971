#pragma once
// A started window (demo mode, factory image) for tests of the feature
// panels, with the few steps every such test takes: put an image in place,
// read and move the panel's controls by name, and compare whole images.

#include "Harness.h"

#include "pgm/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <algorithm>
#include <string>
#include <utility>

namespace nolt::test {

using ByteChanges = std::initializer_list<std::pair<int, std::uint8_t>>;

// `image` with some bytes replaced.
inline Bytes with(Bytes image, ByteChanges changes)
{
    for (auto [at, value] : changes)
        image[at] = value;
    return image;
}

// Where two images differ, one "offset: actual (expected)" per byte; empty
// when they are equal.
inline std::string differences(const Bytes& actual, const Bytes& expected)
{
    std::string out;
    const std::size_t n = std::max(actual.size(), expected.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int a = i < actual.size() ? actual[i] : -1;
        const int e = i < expected.size() ? expected[i] : -1;
        if (a != e)
            out += std::to_string(i) + ": " + std::to_string(a) + " (" + std::to_string(e) + ")\n";
    }
    return out;
}

struct PanelTest : ::testing::Test {
    std::unique_ptr<FormHarness> h = FormHarness::started();

    // The factory image with some bytes replaced, drawn on the main
    // screen, as after loading a file.
    void load(ByteChanges changes)
    {
        const Bytes image = with(Bytes(defaultImage.begin(), defaultImage.end()), changes);
        std::copy(image.begin(), image.end(), h->image().begin());
        h->form->setDisplay();
    }
    Bytes image() const { return h->image(); }
    bool busy() const { return h->form->state().formDisabled; }

    QString edit(const char* name) const { return h->find<QLineEdit>(name)->text(); }
    QString label(const char* name) const { return h->find<QLabel>(name)->text(); }
    bool ticked(const char* name) const { return h->find<QCheckBox>(name)->isChecked(); }
    void tick(const char* name, bool on) const { h->find<QCheckBox>(name)->setChecked(on); }
    ScrollBar* slider(const char* name) const { return h->find<ScrollBar>(name); }
    // Moves a slider as the user would; the position is kept in range.
    void slide(const char* name, int position) const { slider(name)->setPosition(position); }
    // Picks an item of a range selector as the user would.
    void chooseRange(const char* name, int index) const
    {
        QComboBox* combo = h->find<QComboBox>(name);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
};

} // namespace nolt::test
