#pragma once
// A main window on the scripted platform, driven by the object names of its controls.

#include "pgm/window/TForm1.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPlatform.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace nolt::test {

// A left click at the middle of a widget.
inline void clickOn(QWidget* w)
{
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
}

template <typename W = QWidget>
W* control(const QObject* root, const QString& name)
{
    W* w = root->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << "no control named " << name.toStdString();
    return w;
}

struct FormHarness {
    ScriptedPlatform platform;
    std::unique_ptr<TForm1> form;

    // loader supplies the HID library (none by default); started() also runs the start-up sequence.
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
    W* find(const QString& name) const { return control<W>(form.get(), name); }
    // Visible within the window (whether or not the window is on screen).
    bool shown(const QString& name) const { return find(name) && find(name)->isVisibleTo(form.get()); }
    void click(const QString& name) { clickOn(find(name)); }
    // A line edit's or a label's text.
    QString text(const QString& name) const
    {
        if (auto* edit = form->findChild<QLineEdit*>(name))
            return edit->text();
        auto* label = find<QLabel>(name);
        return label ? label->text() : QString();
    }
    Bytes& image() { return form->state().eeBlock; }
    AppState& state() { return form->state(); }
};

} // namespace nolt::test
