// The scheduling priority of the game's threads: the Windows priority class of the process and the
// priority of the calling thread, as Linux nice values.
//
// Linux keeps one nice value per thread, so the process class is applied to every thread of the
// process (/proc/self/task) that is the game's own: a thread whose nice lies outside what this module
// last set (and 0) was moved there on purpose by a library (Mesa's background threads at 19, an audio
// thread raised by its library) and keeps its value.
//
// Used by the core's display code (the priority settings) and its pause and focus handling (back to
// normal).
#pragma once

// The process class: 0 normal (nice 0), 1 above normal (-5), 2 high (-10); any other value normal.
int PriorityClassNice(int process);

// Sets the game's threads to the class's nice value and the calling thread to that value minus
// `thread` (a Windows thread priority: positive runs sooner), kept within -20..19; any int is taken,
// so a thread value far out of range means the lowest or the highest priority. A raise the process
// has no right to is refused by the system and ignored, as the settings' callers never look at the
// result. Lowering needs no right, but the way back from it is a raise: after a negative thread value
// (or any nice above 0), a process without CAP_SYS_NICE or a high enough RLIMIT_NICE stays at the
// lower priority, and the way back to normal leaves it there.
void SetPriorityValues(int process, int thread);
