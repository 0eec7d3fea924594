#pragma once

#include <QtGlobal>

#include <functional>

// Told now and then how far a long export or import is (done of total, in the unit the caller
// names); answering false cancels it.
using AdifProgress = std::function<bool(qint64 done, qint64 total)>;
