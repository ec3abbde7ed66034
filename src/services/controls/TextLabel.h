#pragma once
// A label: its caption wraps inside its place and shrinks, never clips, when
// it is too long. Optional background and single-line border. Clickable while enabled.

#include <QColor>
#include <QFont>
#include <QWidget>

class TextLabel : public QWidget {
    Q_OBJECT
public:
    explicit TextLabel(const QString& caption = {}, QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    const QString& caption() const { return caption_; }

    void setAlignment(Qt::Alignment alignment);
    void setTextColor(const QColor& color);
    QColor textColor() const { return text_; }
    // An invalid colour leaves the label transparent.
    void setBackColor(const QColor& color);
    QColor backColor() const { return back_; }
    void setBorder(bool border);

    // The font size the caption is drawn with after shrinking to fit.
    double fittedPointSize() const;

    // Something answers its click.
    bool isClickable() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect textArea() const;

    QString caption_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
    QColor text_ = Qt::black;
    QColor back_;
    bool border_ = false;
};
