#pragma once
// A main window on the scripted platform, driven by the object names of its controls.

#include "pgm/panels/DimmingCurvePanel.h"
#include "pgm/window/TForm1.h"
#include "support/Person.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPlatform.h"
#include "support/SimDriver.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace nolt::test {

// loader supplies the HID library (none by default); started() also runs the start-up sequence.
struct FormHarness {
    ScriptedPlatform platform;
    std::unique_ptr<TForm1> form;

    explicit FormHarness(QStringList parameters = {}, HidLoader loader = [] { return nullptr; })
        : form(std::make_unique<TForm1>(platform, std::move(parameters), std::move(loader)))
    {
        form->show();
    }
    static std::unique_ptr<FormHarness> started(QStringList parameters = {}, HidLoader loader = [] { return nullptr; })
    {
        auto h = std::make_unique<FormHarness>(std::move(parameters), std::move(loader));
        h->form->FormActivate();
        return h;
    }
    template <typename W = QWidget>
    W* find(const QString& name) const
    {
        W* w = form->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << "no control named " << name.toStdString();
        return w;
    }
    bool shown(const QString& name) const { return find(name) && find(name)->isVisibleTo(form.get()); }
    // A person's actions (support/Person.h); each fails the test when a person could not have done it.
    // A panel's Cancel closes it.
    void click(const QString& name) const
    {
        act<QWidget>(name, [](QWidget* w) {
            const QString why = test::click(w);
            return why.isEmpty() && w->accessibleName() == QLatin1String("Cancel") && w->isVisible()
                ? controlName(w) + " did not close its panel" : why;
        });
    }
    void tick(const QString& name, bool on) const
    {
        act<QAbstractButton>(name, [on](QAbstractButton* b) { return test::tick(b, on); });
    }
    void type(const QString& name, const QString& text) const
    {
        act<QLineEdit>(name, [&text](QLineEdit* e) { return test::type(e, text); });
    }
    template <typename W, typename Action>
    void act(const QString& name, Action action) const
    {
        if (W* w = find<W>(name)) {
            const QString why = action(w);
            EXPECT_TRUE(why.isEmpty()) << why.toStdString();
        }
    }
    QString text(const QString& name) const // a line edit's or a label's
    {
        auto* edit = form->findChild<QLineEdit*>(name);
        return edit ? edit->text() : find<QLabel>(name) ? find<QLabel>(name)->text() : QString();
    }
    Bytes& image() { return form->state().eeBlock; }
    AppState& state() { return form->state(); }
};

// A main window started in driver mode on a simulated driver.
struct DriverForm : SimDriver {
    std::unique_ptr<FormHarness> h;

    QTemporaryDir curveFolder;

    // With `curves`, three curve files lie beside the program ("a.dc", "b.dc", "c.dc"), each halving every level.
    FormHarness& start(QStringList parameters = {}, bool curves = false)
    {
        h = std::make_unique<FormHarness>(std::move(parameters), loader());
        if (curves) {
            QByteArray halving;
            for (int i = 0; i <= 100; ++i)
                halving += QByteArray::number(i / 2) + "\r\n";
            for (const char* name : {"a.dc", "b.dc", "c.dc"}) {
                QFile file(curveFolder.filePath(name));
                EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(halving) == halving.size());
            }
            h->form->findChild<DimmingCurvePanel*>()->setCurveFolder(curveFolder.path());
        }
        h->form->FormActivate();
        return *h;
    }
    SlotButton* slot(int k) { return h->form->bar().bM[k - 1]; }
    void choose(int k) { h->click(QStringLiteral("bM%1").arg(k)); }
};

// The factory configuration with other levels and astro data 0x60, 0x61, ...
inline Bytes sampleImage(std::uint8_t poLevel = 80)
{
    Bytes image(defaultImage.begin(), defaultImage.end());
    image[img::poLevel] = poLevel;
    image[img::minLevel] = 10;
    for (int i = 0; i < img::astroDataLength; ++i)
        image[img::astroData + i] = static_cast<std::uint8_t>(0x60 + i);
    return image;
}

} // namespace nolt::test

// Every test file works in both namespaces.
using namespace nolt;
using namespace nolt::test;
