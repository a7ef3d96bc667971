// The person-like actions of the window tests refuse what a person could not do, naming the control.

#include "support/Person.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

TEST(Person, ClicksOnlyWhatShowsIsEnabledHasASizeAndLiesOnTop)
{
    const struct { const char* why; std::function<void(QWidget& box, QPushButton& b, QWidget& cover)> make; } rows[] = {
        {"", [](QWidget&, QPushButton&, QWidget&) {}},
        {"b is hidden", [](QWidget&, QPushButton& b, QWidget&) { b.hide(); }},
        {"b is hidden", [](QWidget& box, QPushButton&, QWidget&) { box.hide(); }},
        {"b is disabled", [](QWidget&, QPushButton& b, QWidget&) { b.setEnabled(false); }},
        {"b has no size", [](QWidget&, QPushButton& b, QWidget&) { b.resize(0, 0); }},
        {"b is covered by nothing of it", [](QWidget& box, QPushButton&, QWidget&) { box.resize(0, 0); }},
        {"b is covered by cover", [](QWidget&, QPushButton&, QWidget& cover) { cover.show(); }},
    };
    for (const auto& row : rows) {
        QWidget window;
        window.resize(200, 100);
        QWidget box(&window);
        box.setGeometry(10, 10, 100, 50);
        QPushButton b(&box);
        b.setObjectName("b");
        b.setGeometry(0, 0, 60, 30);
        int clicks = 0;
        QObject::connect(&b, &QPushButton::clicked, [&clicks] { ++clicks; });
        QWidget cover(&window);
        cover.setObjectName("cover");
        cover.setGeometry(0, 0, 200, 100);
        cover.hide();
        window.show();
        row.make(box, b, cover);
        EXPECT_EQ(nolt::test::click(&b).toStdString(), row.why);
        EXPECT_EQ(clicks, *row.why ? 0 : 1) << row.why;
    }
}
