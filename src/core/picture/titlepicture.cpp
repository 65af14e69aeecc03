// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/picture/titlepicture.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

QImage TitlePicture::Make(const QString& title, QSize size)
{
    if (size.isEmpty()) {
        return QImage();
    }
    QImage image(size, QImage::Format_RGB16);
    image.fill(Qt::white);
    const QString text = title.trimmed();
    if (text.isEmpty()) {
        return image;
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(QColor(20, 20, 20));
    const QRect area =
        image.rect().adjusted(size.width() / 10, size.height() / 10, -size.width() / 10, -size.height() / 10);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    // Largest first; a long title shrinks until it fits, down to a size still read from afar.
    QFont font = painter.font();
    font.setBold(true);
    for (int pixels = qMax(12, size.height() / 8); pixels >= 12; pixels = pixels * 4 / 5) {
        font.setPixelSize(pixels);
        const QRect needed = QFontMetrics(font).boundingRect(area, flags, text);
        if (needed.width() <= area.width() && needed.height() <= area.height()) {
            break;
        }
    }
    painter.setFont(font);
    painter.drawText(area, flags, text);
    return image;
}
