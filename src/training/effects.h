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
        StartTimer,  // start `timer` on a full second
        StopTimer,
        BusyPointer, // the busy pointer on the training screen
        DefaultPointer,
        SeriesCorrected, // a series was corrected: the list has changed
    };
    Kind kind;
    int slot = -1;
    Timer timer = Timer::Countdown;

    static Effect focusAnswer(int slot) { return {Kind::FocusAnswer, slot, Timer::Countdown}; }
    static Effect beep() { return {Kind::Beep}; }
    static Effect start(Timer timer) { return {Kind::StartTimer, -1, timer}; }
    static Effect stop(Timer timer) { return {Kind::StopTimer, -1, timer}; }
    static Effect busy(bool on) { return {on ? Kind::BusyPointer : Kind::DefaultPointer}; }
    static Effect corrected() { return {Kind::SeriesCorrected}; }
    friend bool operator==(const Effect&, const Effect&) = default;
};

using Effects = std::vector<Effect>;

} // namespace tirages::training
