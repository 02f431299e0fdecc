// The interface of the audio call counter: a shared library preloaded into
// the realtime test (LD_PRELOAD) whose wrappers of the calls an audio thread
// must never make (allocation, locks, condition waits, sleeps, write) count
// them, per thread, while that thread is inside a marked audio region, and
// forward every call to the real function.
//
// The test finds these functions with dlsym, so it notices when the library
// was not preloaded.
#pragma once

extern "C" {

// Marks the calling thread as inside the audio region and zeroes its counts.
void oscindaAudioRegionEnter();
void oscindaAudioRegionLeave();

// The counted functions: their number, and each one's name ("malloc",
// "operator new[]", "pthread_mutex_lock", ...).
int oscindaAudioCallKinds();
const char* oscindaAudioCallName(int kind);
// Calls of that kind the calling thread made inside its last (or current)
// audio region.
unsigned long oscindaAudioCallCount(int kind);
}
