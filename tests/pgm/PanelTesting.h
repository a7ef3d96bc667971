#pragma once
// A started window (demo mode, factory image) for tests of the main screen and its panels.

#include "Harness.h"

#include "pgm/kit/Widgets.h"
#include "pgm/panels/EditorPanel.h"

#include <QComboBox>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace nolt::test {

using ByteChanges = std::vector<std::pair<int, std::uint8_t>>;
using Steps = std::vector<const char*>;

inline Bytes with(Bytes image, const ByteChanges& changes)
{
    for (auto [at, value] : changes)
        image[at] = value;
    return image;
}

// Where two images differ, one "offset: actual (expected)" per byte; empty when they are equal.
inline std::string differences(const Bytes& actual, const Bytes& expected)
{
    std::string out;
    for (std::size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
        const int a = i < actual.size() ? actual[i] : -1, e = i < expected.size() ? expected[i] : -1;
        if (a != e)
            out += std::to_string(i) + ": " + std::to_string(a) + " (" + std::to_string(e) + ")\n";
    }
    return out;
}

struct PanelTest : ::testing::Test {
    std::unique_ptr<FormHarness> h = FormHarness::started();

    // The factory image with some bytes replaced (or `bytes` from `offset` on), drawn as after loading a file.
    void load(const ByteChanges& changes) { show(with(Bytes(defaultImage.begin(), defaultImage.end()), changes)); }
    void show(const Bytes& bytes, int offset = 0)
    {
        std::copy(defaultImage.begin(), defaultImage.end(), h->image().begin());
        std::copy(bytes.begin(), bytes.end(), h->image().begin() + offset);
        h->form->setDisplay();
    }
    Bytes image() const { return h->image(); }
    bool busy() const { return h->form->state().formDisabled; }

    void click(const QString& name) const { h->click(name); }
    bool shown(const QString& name) const { return h->shown(name); }
    QString edit(const QString& name) const { return h->find<QLineEdit>(name)->text(); }
    bool edited(const QString& name) const { return h->find<ClickEdit>(name)->isEdited(); }
    bool ticked(const QString& name) const { return h->find<QAbstractButton>(name)->isChecked(); }
    void tick(const QString& name, bool on) const { h->tick(name, on); }
    ScrollBar* slider(const QString& name) const { return h->find<ScrollBar>(name); }
    // How many labels within the named control read `text` (a unit shown beside several values, say).
    qsizetype labelsReading(const QString& name, const QString& text) const
    {
        const QList<QLabel*> labels = h->find(name)->findChildren<QLabel*>();
        return std::count_if(labels.begin(), labels.end(), [&text](const QLabel* l) { return l->text() == text; });
    }
    void slide(const QString& name, int position) const
    {
        h->act<ScrollBar>(name, [position](ScrollBar* s) { return test::slide(s, position); });
    }
    // Item n of a range selector or a list.
    void pick(const QString& name, int n) const
    {
        if (h->form->findChild<QComboBox*>(name))
            h->act<QComboBox>(name, [n](QComboBox* c) { return test::pick(c, n); });
        else
            h->act<QAbstractItemView>(name, [n](QAbstractItemView* v) { return test::pick(v, n); });
    }
    // Clicks whatever lies on top at the centre of the named picture (an overlay or an open panel); the picture
    // itself must show.
    void clickOnScreen(const QString& name) const
    {
        h->act<QWidget>(name, [this](QWidget* w) {
            if (!w->isVisible() || w->width() <= 0 || w->height() <= 0)
                return test::unreachable(w, w->rect().center());
            const QPoint at = w->mapTo(h->form.get(), w->rect().center());
            QWidget* top = h->form->childAt(at);
            return top ? test::clickAt(top, top->mapFrom(h->form.get(), at)) : "nothing lies on " + controlName(w);
        });
    }
    // What a control shows: its text, a slider's position, a selector's item, a box's tick ("+" or "-").
    QString value(const QString& name) const
    {
        QWidget* w = h->find(name);
        if (auto* s = qobject_cast<ScrollBar*>(w))
            return QString::number(s->position());
        if (auto* c = qobject_cast<QComboBox*>(w))
            return QString::number(c->currentIndex());
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->isCheckable())
            return QLatin1String(b->isChecked() ? "+" : "-");
        return h->text(name);
    }
    // Steps: "name" clicks a control, "@name" what lies on top of it, "name=N" moves a slider or picks item N
    // of a range selector or a list, "name+" / "name-" ticks or unticks a box; checks: "name==v" (see value),
    // "?name" / "!name" (shown / hidden).
    void act(const Steps& steps) const
    {
        for (const char* s : steps) {
            SCOPED_TRACE(s);
            const QString step = QString::fromUtf8(s), name = step.mid(1);
            const qsizetype is = step.indexOf(QLatin1String("==")), set = step.indexOf(QLatin1Char('='));
            if (is > 0)
                EXPECT_EQ(value(step.left(is)), step.mid(is + 2));
            else if (step.startsWith(QLatin1Char('?')) || step.startsWith(QLatin1Char('!')))
                EXPECT_EQ(shown(name), step.startsWith(QLatin1Char('?')));
            else if (step.startsWith(QLatin1Char('@')))
                clickOnScreen(name);
            else if (set > 0 && !h->form->findChild<ScrollBar*>(step.left(set)))
                pick(step.left(set), step.mid(set + 1).toInt());
            else if (set > 0)
                slide(step.left(set), step.mid(set + 1).toInt());
            else if (step.endsWith(QLatin1Char('+')) || step.endsWith(QLatin1Char('-')))
                tick(step.chopped(1), step.endsWith(QLatin1Char('+')));
            else
                click(step);
        }
    }
    // Scenarios: an image (the factory one with some bytes replaced), the user's steps, the bytes then
    // written (all others stay); each ends with no panel open.
    struct Run { ByteChanges load; Steps steps; ByteChanges written = {}; };
    void play(const std::vector<Run>& runs)
    {
        for (std::size_t i = 0; i < runs.size(); ++i) {
            SCOPED_TRACE("run " + std::to_string(i + 1));
            load(runs[i].load);
            const Bytes before = image();
            act(runs[i].steps);
            EXPECT_EQ(differences(image(), with(before, runs[i].written)), "");
            EXPECT_FALSE(busy());
            for (const EditorPanel* panel : h->form->findChildren<EditorPanel*>())
                EXPECT_FALSE(panel->isVisible()) << panel->objectName().toStdString() << " stays open";
        }
    }
};

} // namespace nolt::test
