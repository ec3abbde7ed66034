#pragma once
// Work the first frame does not need, run once that frame is painted, so the
// window shows without waiting for it.

#include <functional>

// Runs the task after the first paint of any window, or after half a second
// when nothing is painted sooner (a window started minimised).
void afterFirstFrame(std::function<void()> task);
