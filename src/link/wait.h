#pragma once

namespace tonaq {

// Pauses for the given milliseconds while the windows go on painting and answering the
// operator. All waits share one timer: a wait started inside another (from a handler that ran
// during the outer wait) re-arms it, and when it fires every wait in progress ends as soon as
// control returns to it. Fractions of a millisecond count, to the timer's resolution.
void pauseFor(double milliseconds);

} // namespace tonaq
