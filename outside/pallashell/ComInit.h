// Pallashell: COM on the calling thread, once for the thread's life.
#pragma once

// The shell's icon lookup and folder picker need COM on the calling thread.
// The first call on a thread initialises it (single-threaded apartment) and
// the thread's end uninitialises it; later calls cost nothing. A thread that
// already has COM, in any apartment, keeps it as it is.
void EnsureComOnThisThread() noexcept;
