// Output_Pace: how soon the output cycle runs again. The normal period while
// the child writes or the user acts; a quick ramp up to it right after input,
// so that the echo shows as soon as the child has written it; a slow one down
// to once a second after a quiet while, so that an idle reader sleeps.
#pragma once

class Output_Pace {
public:
    static constexpr int quickest_ms = 1;
    static constexpr int normal_ms = 50;
    static constexpr int idle_ms = 1000;
    // Empty cycles at the normal period before the period starts to grow: a second.
    static constexpr int quiet_cycles_before_idle = 20;

    // The delay the next arming of the cycle's timer uses.
    int period() const { return period_ms; }
    // The timer was armed with period(): a ramp after input moves on.
    void armed();
    // Bytes went to the child: look for its answer within a millisecond.
    void input_sent();
    // Any touch, key or menu answer: the normal period at once.
    void user_acted();
    void cycle_done(bool output_found);

private:
    int period_ms = normal_ms;
    int quiet_cycles = 0;
};
