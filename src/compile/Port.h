#pragma once
// What a compile needs from the front end that runs it: the status line,
// the beep and warnings (Progress) and the millisecond tick counters of the
// plan builders (ClockSource).
// The command line and the desktop program each provide one; the tests
// record what happens.

#include "common/Clock.h"
#include "common/Progress.h"

namespace tarnwell {

class Port : public Progress, public ClockSource {};

}  // namespace tarnwell
