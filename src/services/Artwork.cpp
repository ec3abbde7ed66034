#include "services/Artwork.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

namespace Artwork {

namespace {

QSvgRenderer* renderer(const QString& name)
{
    static QHash<QString, std::shared_ptr<QSvgRenderer>> cache;
    auto it = cache.find(name);
    if (it == cache.end()) {
        auto loaded = std::make_shared<QSvgRenderer>(resourcePath(name));
        it = cache.insert(name, loaded->isValid() ? loaded : nullptr);
    }
    return it->get();
}

struct PointerArt {
    QString name;
    QPointF hotSpot;  // share of the pointer's size
    Qt::CursorShape fallback;
};

PointerArt artOf(Pointer which)
{
    switch (which) {
    case Pointer::Hand: return {QStringLiteral("pointer-hand"), {0.3, 0.05}, Qt::PointingHandCursor};
    case Pointer::Arrow: return {QStringLiteral("pointer-arrow"), {0.08, 0.05}, Qt::ArrowCursor};
    case Pointer::Next: return {QStringLiteral("next"), {0.5, 0.5}, Qt::PointingHandCursor};
    }
    return {QString(), {0, 0}, Qt::ArrowCursor};
}

}  // namespace

QString resourcePath(const QString& name)
{
    return QStringLiteral(":/icons/") + name + QStringLiteral(".svg");
}

bool exists(const QString& name)
{
    return renderer(name) != nullptr;
}

void paint(QPainter& painter, const QString& name, const QRectF& area)
{
    QSvgRenderer* art = renderer(name);
    if (!art || area.isEmpty())
        return;
    const QSizeF fitted = QSizeF(art->defaultSize()).scaled(area.size(), Qt::KeepAspectRatio);
    art->render(&painter, QRectF(area.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted));
}

QPixmap pixmap(const QString& name, const QSize& size, qreal devicePixelRatio)
{
    QPixmap result(size * devicePixelRatio);
    result.fill(Qt::transparent);
    result.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter, name, QRectF(QPointF(0, 0), QSizeF(size)));
    return result;
}

QIcon icon(const QString& name)
{
    QIcon result;
    if (!exists(name))
        return result;
    for (const int side : {16, 24, 32, 48, 64, 128, 256})
        result.addPixmap(pixmap(name, QSize(side, side)));
    return result;
}

QCursor pointer(Pointer which)
{
    const PointerArt art = artOf(which);
    if (!exists(art.name))
        return QCursor(art.fallback);
    const QScreen* screen = QGuiApplication::primaryScreen();
    // 32 pixels on a screen 768 high, growing with taller screens.
    const int side = screen ? std::clamp(screen->geometry().height() / 24, 32, 96) : 32;
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    // Every screen sets its pointers as it is built: each is drawn once per size.
    static std::map<std::tuple<int, int, qreal>, QCursor> drawn;
    const auto key = std::make_tuple(int(which), side, ratio);
    if (const auto it = drawn.find(key); it != drawn.end())
        return it->second;
    const QCursor cursor(pixmap(art.name, QSize(side, side), ratio), int(art.hotSpot.x() * side),
                         int(art.hotSpot.y() * side));
    drawn.emplace(key, cursor);
    return cursor;
}

}  // namespace Artwork
