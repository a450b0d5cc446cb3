#include "shell/Pictures.h"

#include <QPainter>
#include <QSvgRenderer>

// The resources are linked into a static library, so they are registered by hand.
static void registerPictureResources()
{
    Q_INIT_RESOURCE(forveta);
}

QPixmap picture(const QString& name, const QSize& size)
{
    static const bool registered = (registerPictureResources(), true);
    Q_UNUSED(registered);

    QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(name));
    if (!renderer.isValid())
        return {};
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}
