#include "app/toolbaricons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {
QPixmap render(const QString& path, int scale)
{
    QPixmap pixmap(ToolbarIcons::kSize * scale, ToolbarIcons::kSize * scale);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}
}  // namespace

QIcon ToolbarIcons::Icon(const QString& name)
{
    const QString base = QStringLiteral(":/app/toolbar/") + name;
    QIcon icon;
    for (int scale : {1, 2}) {
        icon.addPixmap(render(base + QStringLiteral(".svg"), scale), QIcon::Normal);
        icon.addPixmap(render(base + QStringLiteral("-hover.svg"), scale), QIcon::Active);
        icon.addPixmap(render(base + QStringLiteral("-disabled.svg"), scale), QIcon::Disabled);
    }
    return icon;
}
