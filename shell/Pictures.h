#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// A picture of the program's resources ("new", "splash", ...) drawn at the given size; a null
// pixmap for a name the resources do not hold.
QPixmap picture(const QString& name, const QSize& size);
