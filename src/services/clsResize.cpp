#include "services/clsResize.h"

#include "services/ScaledForm.h"
#include "services/Twips.h"

#include <QVariant>
#include <algorithm>
#include <cmath>

clsResize::clsResize(ScaledForm* form)
    : form_(form)
{
}

clsResize::Directive clsResize::directiveOf(const QString& tag)
{
    const QString upper = tag.toUpper();
    if (!upper.startsWith(QLatin1Char('@')))
        return {true, true, true, true};
    return {upper.contains(QLatin1Char('L')), upper.contains(QLatin1Char('T')), upper.contains(QLatin1Char('W')),
            upper.contains(QLatin1Char('H'))};
}

void clsResize::ReInitialise()
{
    StoreInitialSizes();
}

void clsResize::StoreInitialSizes()
{
    if (!form_)
        return;
    const QSize client = form_->clientSizeTwips();
    InitialWidth = client.width();
    InitialHeight = client.height();
    ControlSizes.clear();
    for (const QPointer<QWidget>& control : form_->designControls()) {
        ControlSize size;
        size.Ctl = control;
        if (control) {
            // Exact design twips where the form knows them; the control's place otherwise.
            const QRect twips = control->property("twips").toRect();
            const QRect geometry = control->geometry();
            const bool designed = control->property("twips").isValid();
            size.Left = designed ? twips.x() : Twips::fromPixels(geometry.x());
            size.Top = designed ? twips.y() : Twips::fromPixels(geometry.y());
            size.Width = designed ? twips.width() : Twips::fromPixels(geometry.width());
            size.Height = designed ? twips.height() : Twips::fromPixels(geometry.height());
            size.fontPoints = control->font().pointSizeF();
        }
        ControlSizes.push_back(size);
    }
    FirstTime = false;
}

void clsResize::SizeFormToScreen(quint8 Percent)
{
    if (!form_)
        return;
    if (FirstTime)
        StoreInitialSizes();
    const QRect screen = form_->screenRect();
    const int screenHeight = Twips::fromPixels(screen.height());
    const int screenWidth = Twips::fromPixels(screen.width());
    const int h = int(Percent / 100.0 * screenHeight);
    const int w = int(Percent / 100.0 * screenWidth);
    const double top = (screenHeight - h) / 2.0;
    const double left = (screenWidth - w) / 2.0;
    form_->setFormGeometry(QRect(screen.x() + Twips::toPixels(left), screen.y() + Twips::toPixels(top),
                                 Twips::toPixels(w), Twips::toPixels(h)));
    ResizeControls();
}

void clsResize::ResizeControls()
{
    if (!form_ || form_->designControls().isEmpty())
        return;
    QWidget* window = form_->scaledWindow();
    if (window->isMinimized())
        return;
    if (FirstTime) {
        StoreInitialSizes();
        return;
    }
    if (InitialWidth <= 0 || InitialHeight <= 0)
        return;

    const QSize client = form_->clientSizeTwips();
    if (client.width() <= 0 || client.height() <= 0)
        return;
    ry_ = double(client.height()) / InitialHeight;
    rx_ = double(client.width()) / InitialWidth;
    const double fontRatio = std::min(rx_, ry_);

    // One redraw after every control has moved.
    const bool updates = window->updatesEnabled();
    window->setUpdatesEnabled(false);
    for (const ControlSize& size : ControlSizes) {
        QWidget* control = size.Ctl.data();
        if (!control)
            continue;
        const Directive directive = directiveOf(control->property("Tag").toString());
        QRectF place = QRectF(control->geometry());
        if (directive.left)
            place.moveLeft(size.Left * rx_ / Twips::PerPixel);
        if (directive.top)
            place.moveTop(size.Top * ry_ / Twips::PerPixel);
        if (directive.width)
            place.setWidth(size.Width * rx_ / Twips::PerPixel);
        if (directive.height)
            place.setHeight(size.Height * ry_ / Twips::PerPixel);
        // Edges are rounded, not sizes, so neighbours that touched keep touching.
        const int left = int(std::lround(place.left()));
        const int top = int(std::lround(place.top()));
        control->setGeometry(left, top, int(std::lround(place.right())) - left, int(std::lround(place.bottom())) - top);
        if (size.fontPoints > 0) {
            QFont font = control->font();
            font.setPointSizeF(std::max(1.0, size.fontPoints * fontRatio));
            control->setFont(font);
        }
    }
    window->setUpdatesEnabled(updates);
}

QRectF clsResize::designRect(const QWidget* control) const
{
    for (const ControlSize& size : ControlSizes)
        if (size.Ctl == control)
            return QRectF(size.Left, size.Top, size.Width, size.Height);
    return {};
}
