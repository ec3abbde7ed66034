#include "services/controls/SpeedBarStyle.h"

#include "services/controls/DisabledLook.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionSlider>
#include <algorithm>

namespace {

const QStyleOptionSlider* horizontalBar(QStyle::ComplexControl control, const QStyleOptionComplex* option)
{
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    return control == QStyle::CC_ScrollBar && bar && bar->orientation == Qt::Horizontal ? bar : nullptr;
}

void drawButton(QPainter& painter, const QRectF& area, bool pressed, bool enabled, bool pointsLeft)
{
    const QColor face = pressed ? QColor(200, 215, 235) : QColor(240, 240, 240);
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    painter.setBrush(face);
    const double radius = area.height() * 0.12;
    painter.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    const double side = area.height() * 0.45;
    const QPointF centre = area.center();
    const double tip = pointsLeft ? -side / 2 : side / 2;
    QPainterPath arrow;
    arrow.moveTo(centre.x() + tip, centre.y());
    arrow.lineTo(centre.x() - tip, centre.y() - side / 2);
    arrow.lineTo(centre.x() - tip, centre.y() + side / 2);
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(enabled ? QColor(40, 40, 40) : DisabledLook::Testo);
    painter.drawPath(arrow);
}

}  // namespace

QRect SpeedBarStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                    const QWidget* widget) const
{
    const QStyleOptionSlider* bar = horizontalBar(control, option);
    if (!bar)
        return QProxyStyle::subControlRect(control, option, part, widget);
    const QRect area = bar->rect;
    const int button = std::min(area.height(), area.width() / 3);
    const QRect groove(area.left() + button, area.top(), std::max(0, area.width() - 2 * button), area.height());
    const int range = bar->maximum - bar->minimum;
    const int length = range <= 0 ? groove.width()
                                  : std::clamp(int(qint64(groove.width()) * bar->pageStep / (range + bar->pageStep)),
                                               std::min(button, groove.width()), groove.width());
    const int start = groove.left()
        + sliderPositionFromValue(bar->minimum, bar->maximum, bar->sliderPosition, groove.width() - length,
                                  bar->upsideDown);
    const QRect slider(start, area.top(), length, area.height());
    switch (part) {
    case SC_ScrollBarSubLine:
        return QRect(area.left(), area.top(), button, area.height());
    case SC_ScrollBarAddLine:
        return QRect(groove.right() + 1, area.top(), button, area.height());
    case SC_ScrollBarGroove:
        return groove;
    case SC_ScrollBarSlider:
        return slider;
    case SC_ScrollBarSubPage:
        return QRect(groove.left(), area.top(), slider.left() - groove.left(), area.height());
    case SC_ScrollBarAddPage:
        return QRect(slider.right() + 1, area.top(), groove.right() - slider.right(), area.height());
    default:
        return {};
    }
}

void SpeedBarStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                       const QWidget* widget) const
{
    const QStyleOptionSlider* bar = horizontalBar(control, option);
    if (!bar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const bool enabled = bar->state & State_Enabled;
    const auto pressed = [bar](SubControl part) { return (bar->activeSubControls & part) && (bar->state & State_Sunken); };
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect groove = subControlRect(control, option, SC_ScrollBarGroove, widget);
    painter->fillRect(groove, QColor(225, 228, 232));
    painter->setPen(QPen(QColor(150, 150, 150), 1));
    painter->drawLine(groove.topLeft(), groove.topRight());
    painter->drawLine(groove.bottomLeft(), groove.bottomRight());

    const QRectF slider = subControlRect(control, option, SC_ScrollBarSlider, widget);
    const double radius = slider.height() * 0.2;
    painter->setPen(QPen(QColor(60, 90, 140), 1));
    painter->setBrush(!enabled ? DisabledLook::sfondo(QColor(120, 160, 220))
                      : pressed(SC_ScrollBarSlider) ? QColor(90, 130, 200) : QColor(120, 160, 220));
    painter->drawRoundedRect(slider.adjusted(1.5, 1.5, -1.5, -1.5), radius, radius);

    drawButton(*painter, subControlRect(control, option, SC_ScrollBarSubLine, widget), pressed(SC_ScrollBarSubLine),
               enabled, true);
    drawButton(*painter, subControlRect(control, option, SC_ScrollBarAddLine, widget), pressed(SC_ScrollBarAddLine),
               enabled, false);
    painter->restore();
}
