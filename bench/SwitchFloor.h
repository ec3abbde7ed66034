#pragma once
// What a switch between two windows costs this machine's window system and Qt
// alone: a bare full-screen window with a button, whose click hides it and
// shows another bare full-screen window drawing one picture, its backing store
// prepared ahead, timed as the program's screens are. No goal: the program's
// switches, between pages of one window, are judged against it.

#include "Figure.h"

Figure switchFloorFigure();
