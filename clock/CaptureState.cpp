#include "clock/CaptureState.h"

void CaptureState::choose(Pair pair) {
    m_shown = pair;
    m_runningIndicator[int(Column::Start)] = true;
    m_runningIndicator[int(Column::Stop)] = true;
}

void CaptureState::capture(Pair pair, Column column) {
    m_running[index(pair, column)] = false;
    m_runningIndicator[int(column)] = false;
    m_stoppedIndicator[int(column)] = true;
}

void CaptureState::restart() {
    for (bool& running : m_running)
        running = true;
    for (int column = 0; column < 2; ++column) {
        m_runningIndicator[column] = true;
        m_stoppedIndicator[column] = false;
    }
}
