#include "services/controls/Accessibility.h"

#include "services/controls/PictureImage.h"
#include "services/controls/TextLabel.h"

#include <QAccessibleWidget>
#include <QVariant>
#include <algorithm>

namespace {

const char* const GroupProperty = "accessibleGroup";

QString groupOf(const QWidget* control)
{
    const QString group = control->property(GroupProperty).toString();
    if (!group.isEmpty())
        return group;
    // A picture never tells its word: without a group it is named by its place.
    if (qobject_cast<const PictureImage*>(control))
        return QStringLiteral("picture");
    return {};
}

// Roles and names of TextLabel, PictureImage and the mouth; everything else
// keeps what the toolkit gives it.
class ControlAccessible : public QAccessibleWidget {
public:
    ControlAccessible(QWidget* control, QAccessible::Role role)
        : QAccessibleWidget(control, role)
    {
    }

    QAccessible::Role role() const override
    {
        if (const auto* label = qobject_cast<const TextLabel*>(widget()))
            return label->isClickable() ? QAccessible::Button
                   : label->findChild<QWidget*>() ? QAccessible::Grouping
                                                  : QAccessible::StaticText;
        if (const auto* picture = qobject_cast<const PictureImage*>(widget()))
            return picture->isClickable() ? QAccessible::Button : QAccessible::Graphic;
        return QAccessibleWidget::role();
    }

    QString text(QAccessible::Text kind) const override
    {
        const QWidget* control = widget();
        const auto* label = qobject_cast<const TextLabel*>(control);
        if (kind == QAccessible::Value)
            // A count or a box: its name says what it is, its caption what it holds.
            return label && !control->accessibleName().isEmpty() ? label->caption().trimmed() : QString();
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        if (!control->accessibleName().isEmpty())
            return control->accessibleName();
        if (const auto* picture = qobject_cast<const PictureImage*>(control); picture && !picture->artwork().isEmpty())
            return picture->artwork();
        const QString group = groupOf(control);
        if (!group.isEmpty())
            return Accessibility::placeName(control, group);
        if (label)
            return label->caption().trimmed();
        // A click on the mouth says the item again.
        if (control->inherits("SpeechControl"))
            return QStringLiteral("mouth");
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    auto* control = qobject_cast<QWidget*>(object);
    if (!control)
        return nullptr;
    if (className == QLatin1String("TextLabel"))
        return new ControlAccessible(control, QAccessible::StaticText);
    if (className == QLatin1String("PictureImage"))
        return new ControlAccessible(control, QAccessible::Graphic);
    if (className == QLatin1String("SpeechControl"))
        return new ControlAccessible(control, QAccessible::Button);
    return nullptr;
}

}  // namespace

namespace Accessibility {

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void nameByPlace(QWidget* control, const QString& group)
{
    control->setProperty(GroupProperty, group);
}

QString placeName(const QWidget* control, const QString& group)
{
    QList<QPoint> places;
    if (const QWidget* parent = control->parentWidget())
        for (const QObject* child : parent->children())
            if (const auto* sibling = qobject_cast<const QWidget*>(child); sibling && groupOf(sibling) == group)
                places.append(sibling->pos());
    const auto above = [](const QPoint& a, const QPoint& b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); };
    std::sort(places.begin(), places.end(), above);
    places.erase(std::unique(places.begin(), places.end()), places.end());
    const qsizetype place = std::lower_bound(places.begin(), places.end(), control->pos(), above) - places.begin();
    return group + QLatin1Char(' ') + QString::number(place + 1);
}

}  // namespace Accessibility
