#pragma once
// The dimming-engine editors driven through their controls.

#include "PanelTesting.h"

#include "pgm/kit/SliderEditor.h"

namespace nolt::test {

struct DimmingEngineTest : PanelTest {
    // The ten steps from `offset` on.
    Bytes steps(int offset) const
    {
        return Bytes(h->image().begin() + offset, h->image().begin() + offset + img::dimStepsBytes);
    }
    // Ten steps: the given ones, the rest empty.
    static Bytes stepList(std::initializer_list<std::uint8_t> used)
    {
        Bytes s(used);
        for (std::size_t k = s.size() / 3; k < 10; ++k)
            s.insert(s.end(), {0x00, 0x00, 0xFF});
        return s;
    }
    // `before` with the ten steps at `offset` replaced.
    static Bytes withSteps(Bytes before, int offset, const Bytes& steps)
    {
        std::copy(steps.begin(), steps.end(), before.begin() + offset);
        return before;
    }
    void expectTexts(std::initializer_list<std::pair<const char*, const char*>> edits) const
    {
        for (auto [name, expected] : edits)
            EXPECT_EQ(edit(name), expected) << name;
    }
    QColor colour(const QString& name) const { return h->find(name)->palette().color(QPalette::Window); }
    bool enabled(const QString& name) const { return h->find(name)->isEnabled(); }
    int tag(const char* slider) const { return sliderTag(this->slider(slider)); }
};

// A control name with a step number: n("eD1_Time", 3) is "eD1_Time3".
inline QString n(const char* prefix, int step)
{
    return QString::fromLatin1(prefix) + QString::number(step);
}

} // namespace nolt::test
