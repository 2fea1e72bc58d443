#pragma once

#include "training/state.h"

#include <vector>

namespace tirages::training {

// What a handler of the training asks of the screen beyond showing its new
// state: the view carries these out once, in order.
struct Effect {
    enum class Kind {
        FocusAnswer, // put the focus into answer box `slot`
        Beep,        // the system beep
        StartClock,  // start `clock` on a full second
        StopClock,
        BusyPointer, // the busy pointer on the training screen
        DefaultPointer,
        SeriesCorrected, // a series was corrected: the list has changed
    };
    Kind kind;
    int slot = -1;
    Clock clock = Clock::Countdown;

    static Effect focusAnswer(int slot) { return {Kind::FocusAnswer, slot, Clock::Countdown}; }
    static Effect beep() { return {Kind::Beep}; }
    static Effect start(Clock clock) { return {Kind::StartClock, -1, clock}; }
    static Effect stop(Clock clock) { return {Kind::StopClock, -1, clock}; }
    static Effect busy(bool on) { return {on ? Kind::BusyPointer : Kind::DefaultPointer}; }
    static Effect corrected() { return {Kind::SeriesCorrected}; }
    friend bool operator==(const Effect&, const Effect&) = default;
};

using Effects = std::vector<Effect>;

} // namespace tirages::training
