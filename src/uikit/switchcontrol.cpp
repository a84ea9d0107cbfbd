#include "switchcontrol.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

SwitchControl::SwitchControl(QWidget *parent) : QWidget(parent), m_timer(new QTimer(this))
{
    setCursor(Qt::PointingHandCursor);
    m_timer->setInterval(TickMs);
    connect(m_timer, &QTimer::timeout, this, &SwitchControl::onTimeout);
    m_thumbX = m_thumbDiameter / 2;
    m_thumbY = m_thumbDiameter / 2;
}

void SwitchControl::setToggled(bool checked)
{
    m_checked = checked;
    m_timer->start();
}

void SwitchControl::setBackgroundColor(const QColor &color)
{
    m_background = color;
    update();
}

void SwitchControl::setCheckedColor(const QColor &color)
{
    m_checkedColor = color;
    update();
}

void SwitchControl::setDisabledColor(const QColor &color)
{
    m_disabledColor = color;
    update();
}

bool SwitchControl::isAnimating() const
{
    return m_timer->isActive();
}

QSize SwitchControl::sizeHint() const
{
    return minimumSizeHint();
}

QSize SwitchControl::minimumSizeHint() const
{
    return QSize(2 * (m_thumbDiameter + m_margin), m_thumbDiameter + 2 * m_margin);
}

void SwitchControl::onTimeout()
{
    const qreal half = m_thumbDiameter / 2;
    if (!m_checked && m_thumbX > half) {
        m_thumbX -= 1.0;
        update();
    } else if (m_checked && m_thumbX < width() - m_thumbDiameter) {
        m_thumbX += 1.0;
        update();
    } else {
        m_timer->stop();
        emit toggledAfter(m_checked);
        update();
    }
}

void SwitchControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setRenderHint(QPainter::Antialiasing);

    QPainterPath track;
    track.addRoundedRect(
        QRectF(m_margin, m_margin, width() - 2 * m_margin, height() - 2 * m_margin), m_radius,
        m_radius);

    QColor trackColor;
    QColor thumbColor;
    if (!isEnabled()) {
        trackColor = m_background;
        painter.setOpacity(0.26);
        thumbColor = m_disabledColor;
    } else if (m_checked) {
        trackColor = m_checkedColor;
        painter.setOpacity(0.6);
        thumbColor = m_checkedColor;
    } else {
        trackColor = m_background;
        painter.setOpacity(0.8);
        thumbColor = m_thumbColor;
    }
    painter.fillPath(track, trackColor);

    painter.setOpacity(1.0);
    painter.setBrush(thumbColor);
    const qreal half = m_thumbDiameter / 2;
    painter.drawEllipse(QRectF(m_thumbX - half, m_thumbY - half, height(), height()));
}

void SwitchControl::mousePressEvent(QMouseEvent *event)
{
    // The press is taken here so that a parent that drags its window does not start a drag.
    if (isEnabled() && event->button() == Qt::LeftButton) {
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void SwitchControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (isEnabled() && event->button() == Qt::LeftButton) {
        event->accept();
        m_checked = !m_checked;
        emit toggled(m_checked);
        m_timer->start();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void SwitchControl::resizeEvent(QResizeEvent *event)
{
    // The thumb rests at the end that matches the state: a switch that is on keeps showing on
    // after its layout resizes it.
    m_thumbX = m_checked ? qMax<qreal>(m_thumbDiameter / 2, width() - m_thumbDiameter)
                         : m_thumbDiameter / 2;
    m_thumbY = m_thumbDiameter / 2;
    QWidget::resizeEvent(event);
}
