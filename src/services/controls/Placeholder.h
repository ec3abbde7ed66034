#pragma once
// The neutral card shown where a picture cannot be loaded. It carries no word:
// it must never give an answer away.

#include <QRectF>

class QPainter;

void drawPlaceholder(QPainter& painter, const QRectF& area);
