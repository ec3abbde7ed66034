#pragma once
// Draws the mouth in one of its shapes and styles.

#include "services/speech/MouthShape.h"

#include <QRectF>

class QPainter;

void drawMouth(QPainter& painter, const QRectF& area, MouthShape shape, int style);
