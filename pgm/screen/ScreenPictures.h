#pragma once
// What the feature switches of the main screen share: showing and hiding
// pictures by name, writing a feature bit at once, and binding clicks on
// pictures to a panel's handlers.

#include "image/ConfigImage.h"
#include "pgm/screen/MainScreen.h"

#include <initializer_list>
#include <utility>

namespace nolt {

inline void showPictures(MainScreen& screen, std::initializer_list<const char*> names, bool visible)
{
    for (const char* name : names)
        if (ClickLabel* picture = screen[name])
            picture->setVisible(visible);
}

// Shows and hides the pictures of a feature and sets or clears its bit in
// the feature flags.
inline void switchFeature(MainScreen& screen, Bytes& image, int bit, bool on,
                          std::initializer_list<const char*> shown, std::initializer_list<const char*> hidden)
{
    showPictures(screen, shown, true);
    showPictures(screen, hidden, false);
    putBit(image[img::featureFlags], bit, on);
}

template <typename Panel>
using ScreenClick = std::pair<const char*, void (Panel::*)()>;

// Clicks on the named pictures and labels run the panel's handlers.
template <typename Panel>
void onScreenClicks(MainScreen& screen, Panel* panel, std::initializer_list<ScreenClick<Panel>> clicks)
{
    for (const auto& [name, handler] : clicks)
        QObject::connect(screen[name], &ClickLabel::clicked, panel, handler);
}

} // namespace nolt
