#pragma once
// Showing and hiding pictures of the main screen by name, for the feature
// switches that act on the screen at once.

#include "pgm/MainScreen.h"

#include <initializer_list>

namespace nolt {

inline void showPictures(MainScreen& screen, std::initializer_list<const char*> names, bool visible)
{
    for (const char* name : names)
        if (ClickLabel* picture = screen[name])
            picture->setVisible(visible);
}

} // namespace nolt
