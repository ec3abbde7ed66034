#pragma once
// SIGTERM, SIGINT and SIGHUP end the program the way "Exit" does, without a
// word: the single-copy lock goes at once and the event loop ends, so the
// screens close and nothing is left behind.

void terminaAiSegnali();
