#pragma once
// The memory game opened over eighteen progressive 10000 x 10000 JPEGs, in a
// fresh process each time: the longest the interface thread stalls, and the
// process's peak memory.

#include "Figure.h"

#include <QApplication>

QList<Figure> pictureFigures();

// The child's side: opens the game from the menu with the pictures of `folder`
// and prints "<stall ms> <peak MiB>".
int probePictures(QApplication& app, const QString& folder);
