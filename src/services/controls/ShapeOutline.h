#pragma once
// A rectangular outline drawn over a control; it never takes a click.

#include <QColor>
#include <QWidget>

class ShapeOutline : public QWidget {
    Q_OBJECT
public:
    explicit ShapeOutline(QWidget* parent = nullptr);

    void setBorder(const QColor& color, int designPixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_ = Qt::red;
    int designPixels_ = 1;
};
