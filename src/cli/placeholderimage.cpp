#include "placeholderimage.h"

#include "paths/pathrules.h"

#include <QPainter>
#include <QPolygon>

namespace PlaceholderImage {

QImage picture()
{
    // Shapes only, no text: it must look the same whatever fonts are installed.
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(QColor(200, 200, 200));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink(130, 130, 130);
    painter.setPen(QPen(ink, 12));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(120, 90, 400, 300));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QPoint(420, 170), 35, 35);
    painter.drawPolygon(QPolygon({QPoint(140, 370), QPoint(270, 200), QPoint(360, 320), QPoint(410, 260),
                                  QPoint(500, 370)}));
    return image;
}

QString besideSheet(const QString &sheetPath)
{
    // Named like the page: the sheet's name with its extension replaced.
    return sheetPath.chopped(PathRules::extensionOf(sheetPath).size()) + QStringLiteral("_default.jpg");
}

} // namespace PlaceholderImage
