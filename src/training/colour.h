#pragma once

namespace tirages::training {

// The colours the training gives to controls. The screens turn them into RGB
// through their colour table.
enum class Colour {
    SystemWindow, // the system's background colour for text boxes
    Peach,        // the windows' background
    LightCyan,    // draw box at rest
    LightOrange,  // answer box at rest, search box
    LightGreen,   // draw box of the current slot, right answer
    LightYellow,  // answer box of the current slot
    LightRed,     // wrong answer, tiles at the end of a list
    Red,          // a stopped clock
    LightBlue,    // letter tiles
    LightMagenta, // threshold box before the first series
    DarkRed,      // the launcher's messages
};

} // namespace tirages::training
