#include "checkpushbutton.h"

#include "wall/singlesplitterwidget.h"

#include <QPainter>
#include <QPen>

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
    // The preview draws the very regions the multiview view routes to.
    return SingleSplitterWidget::layoutRegions(layout).values();
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
