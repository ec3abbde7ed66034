#pragma once
// The whole run of the program in an application already made: start-up, the
// welcome, and the event loop until the last screen ends it.

class QApplication;

// The exit code of the run.
int eseguiProgramma(QApplication& app);
