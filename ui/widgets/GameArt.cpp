#include "ui/widgets/GameArt.h"

#include <QPixmap>

QImage MessagePicture()
{
    return QImage(QStringLiteral(":/ui/message.png")).convertToFormat(QImage::Format_RGB32);
}

QCursor MultiDragCursor()
{
    return QCursor(QPixmap(QStringLiteral(":/ui/multidrag.png")), 0, 0);
}

QIcon WindowIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/ui/icon-%1.png").arg(size), QSize(size, size));
    return icon;
}
