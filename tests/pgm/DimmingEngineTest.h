#pragma once
// The dimming-engine editors driven through their controls, on a window
// started in demo mode (default image).

#include "Harness.h"

#include "pgm/SliderEditor.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>

namespace nolt::test {

struct DimmingEngineTest : ::testing::Test {
    std::unique_ptr<FormHarness> h = FormHarness::started();

    // Replaces image bytes as a load would, then redraws the main screen.
    void load(std::initializer_list<std::pair<int, std::vector<std::uint8_t>>> changes)
    {
        for (const auto& [at, bytes] : changes)
            std::copy(bytes.begin(), bytes.end(), h->image().begin() + at);
        h->form->setDisplay();
    }
    Bytes steps(int offset) const
    {
        const Bytes& image = h->form->state().eeBlock;
        return Bytes(image.begin() + offset, image.begin() + offset + img::dimStepsBytes);
    }
    // Ten steps: the given ones, the rest empty.
    static Bytes stepList(std::initializer_list<std::uint8_t> used)
    {
        Bytes s(used);
        for (std::size_t k = s.size() / 3; k < 10; ++k)
            s.insert(s.end(), {0x00, 0x00, 0xFF});
        return s;
    }

    // Every image byte outside the ten steps at `offset` is as before.
    void expectOthersUnchanged(const Bytes& before, int offset) const
    {
        for (int i = 0; i < img::imageSize; ++i) {
            if (i >= offset && i < offset + img::dimStepsBytes)
                continue;
            EXPECT_EQ(h->form->state().eeBlock[i], before[i]) << "byte " << i;
        }
    }

    template <typename W = QWidget>
    W* get(const QString& name) const
    {
        return h->find<W>(name.toLatin1().constData());
    }
    QString text(const QString& name) const { return get<QLineEdit>(name)->text(); }
    void expectTexts(std::initializer_list<std::pair<const char*, const char*>> edits) const
    {
        for (auto [name, expected] : edits)
            EXPECT_EQ(text(QString::fromLatin1(name)), expected) << name;
    }
    void click(const QString& name) { h->click(name.toLatin1().constData()); }
    bool shown(const QString& name) const { return h->shown(name.toLatin1().constData()); }
    bool ticked(const QString& name) const { return get<QAbstractButton>(name)->isChecked(); }
    QColor colour(const QString& name) const { return get(name)->palette().color(QPalette::Window); }
    bool enabled(const QString& name) const { return get(name)->isEnabled(); }

    // The user drags the slider or picks a range.
    void slide(const char* slider, int position) { get<ScrollBar>(slider)->setValue(position); }
    void choose(const char* combo, int index)
    {
        auto* c = get<QComboBox>(combo);
        c->setCurrentIndex(index);
        emit c->activated(index);
    }
    int position(const char* slider) const { return get<ScrollBar>(slider)->position(); }
};

} // namespace nolt::test
