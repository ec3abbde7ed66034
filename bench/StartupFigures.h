#pragma once
// Start-up to the welcome drawn, each in a fresh process, against a bare Qt
// window showing one picture as the floor.

#include "Figure.h"

#include <QApplication>

QList<Figure> startupFigures();

// The probes the figures start as child processes; each prints "drawn" at its
// first paint and ends. Null when `argument` names no probe.
using Probe = int (*)(QApplication&);
Probe startupProbe(const QByteArray& argument);
