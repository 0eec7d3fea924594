#include "RecordingKeystroke.h"

void RecordingKeystroke::sendDown() {
    ++m_downs;
    FocusKeystroke::sendDown();
}
