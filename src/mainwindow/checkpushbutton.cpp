#include "checkpushbutton.h"

#include <QPainter>
#include <QPen>

namespace {
QList<QRectF> grid3()
{
    const qreal pos[] = {0, 0.33, 0.67};
    const qreal size[] = {0.33, 0.34, 0.33};
    QList<QRectF> rects;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col)
            rects.append(QRectF(pos[col], pos[row], size[col], size[row]));
    }
    return rects;
}
} // namespace

CheckPushButton::CheckPushButton(QWidget *parent) : QPushButton(parent)
{
    setCheckable(true);
    setStyleSheet(QStringLiteral("QPushButton{background:#00000000}"));
}

void CheckPushButton::setLayoutNumber(int layout)
{
    if (layout == m_layout)
        return;
    m_layout = layout;
    update();
}

QList<QRectF> CheckPushButton::layoutRects(int layout)
{
    switch (layout) {
    case 1:
        return {QRectF(0, 0, 0.5, 0.5), QRectF(0.5, 0, 0.5, 0.5), QRectF(0, 0.5, 0.5, 0.5),
                QRectF(0.5, 0.5, 0.5, 0.5)};
    case 2:
        return grid3();
    case 3:
        return {QRectF(0, 0, 0.75, 0.75),       QRectF(0.75, 0, 0.25, 0.25),
                QRectF(0.75, 0.25, 0.25, 0.25), QRectF(0.75, 0.5, 0.25, 0.25),
                QRectF(0, 0.75, 0.25, 0.25),    QRectF(0.25, 0.75, 0.25, 0.25),
                QRectF(0.5, 0.75, 0.25, 0.25),  QRectF(0.75, 0.75, 0.25, 0.25)};
    case 4:
        return {QRectF(0, 0, 0.67, 0.67), QRectF(0.67, 0, 0.33, 0.33),
                QRectF(0.67, 0.33, 0.33, 0.34), QRectF(0, 0.67, 0.33, 0.33),
                QRectF(0.33, 0.67, 0.34, 0.33)};
    case 5:
        return {QRectF(0, 0, 0.67, 1), QRectF(0.67, 0, 0.33, 0.33), QRectF(0.67, 0.33, 0.33, 0.34),
                QRectF(0.67, 0.67, 0.33, 0.33)};
    case 6:
        // Picture in picture: a quarter-size window in the lower right corner of the full one.
        return {QRectF(0, 0, 1, 1), QRectF(0.6, 0.6, 0.35, 0.35)};
    default:
        return {};
    }
}

void CheckPushButton::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);

    QList<QRectF> rects = layoutRects(m_layout);
    // Layout 0 is the undivided output: previewed as one whole window.
    if (rects.isEmpty())
        rects.append(QRectF(0, 0, 1, 1));

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(isChecked() ? QColor(51, 140, 86) : QColor(221, 222, 219));
    const qreal w = width();
    const qreal h = height();
    for (const QRectF &r : qAsConst(rects))
        painter.drawRect(QRectF(r.x() * w, r.y() * h, r.width() * w, r.height() * h));
}
