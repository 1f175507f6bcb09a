#pragma once

namespace tonaq::sound {

// The end of both programs, once all they made is gone: the window or the run with the link
// and its transport, then the demo (its speaker's thread, then its unit's, each joined), then
// the application object. Only a thread of Qt Multimedia's is left: its connection to the sound
// server, which nothing can stop. At a normal exit the library tears that connection down
// without the lock its thread works under, while the thread may still be handling a message of
// the server's (the end of the speaker's stream brings some), and on a busy machine that
// crashes one run in a few dozen. So the process ends here, with its output written, without
// the libraries' exit-time teardown: the system closes the connection, as after a kill.
[[noreturn]] void endProcess(int code);

} // namespace tonaq::sound
