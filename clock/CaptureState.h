#pragma once

#include <optional>

// Which shifted clocks run, which pair is shown and which frames are lit. The strip has two
// columns (start and stop of a contact), each with one clock of the minus pair and one of the
// plus pair, a running (green) and a stopped (red) indicator. At first no pair is shown, all four
// clocks run and no indicator is lit. Choosing a pair shows it and lights both running
// indicators; capturing a clock stops it and swaps its column's indicators; restarting runs all
// four and lights only the running indicators. Choosing a pair never starts or stops a clock, so
// a column can have both indicators lit.
class CaptureState {
public:
    enum class Pair { Minus, Plus };
    enum class Column { Start, Stop };

    void choose(Pair pair);
    void capture(Pair pair, Column column);
    void restart();

    std::optional<Pair> shownPair() const { return m_shown; }
    // The pair whose times the log copies: the one shown, the minus pair while none is.
    Pair transferredPair() const { return m_shown.value_or(Pair::Minus); }
    bool isRunning(Pair pair, Column column) const { return m_running[index(pair, column)]; }
    bool runningIndicator(Column column) const { return m_runningIndicator[int(column)]; }
    bool stoppedIndicator(Column column) const { return m_stoppedIndicator[int(column)]; }

private:
    static int index(Pair pair, Column column) { return int(pair) * 2 + int(column); }

    std::optional<Pair> m_shown;
    bool m_running[4] = {true, true, true, true};
    bool m_runningIndicator[2] = {false, false};
    bool m_stoppedIndicator[2] = {false, false};
};
