#pragma once
// The look of a horizontal bar a child drags: arrow buttons as wide as the
// bar is high, with arrows that fill them, so they are easy to see and hit at
// any screen size. Other controls keep the program's style.

#include <QProxyStyle>

class SpeedBarStyle : public QProxyStyle {
    Q_OBJECT
public:
    SpeedBarStyle() = default;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
};
