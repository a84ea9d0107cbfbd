#include "checkpushbutton.h"

#include "wall/singlesplitterwidget.h"

#include <QEvent>
#include <QPainter>
#include <QPen>

namespace {
// By layout number, as layoutRects draws them.
const char *const layoutNames[CheckPushButton::LayoutCount] = {
    QT_TRANSLATE_NOOP("CheckPushButton", "Single picture"),
    QT_TRANSLATE_NOOP("CheckPushButton", "Four equal windows"),
    QT_TRANSLATE_NOOP("CheckPushButton", "Nine equal windows"),
    QT_TRANSLATE_NOOP("CheckPushButton", "One large and seven small windows"),
    QT_TRANSLATE_NOOP("CheckPushButton", "One large and four small windows"),
    QT_TRANSLATE_NOOP("CheckPushButton", "One large and three small windows"),
    QT_TRANSLATE_NOOP("CheckPushButton", "Picture in picture"),
};
} // namespace

CheckPushButton::CheckPushButton(QWidget *parent) : QPushButton(parent)
{
    setCheckable(true);
    setStyleSheet(QStringLiteral("QPushButton{background:#00000000}"));
    explainLayout();
}

void CheckPushButton::setLayoutNumber(int layout)
{
    if (layout == m_layout)
        return;
    m_layout = layout;
    explainLayout();
    update();
}

void CheckPushButton::explainLayout()
{
    const bool known = m_layout >= 0 && m_layout < LayoutCount;
    setToolTip(known ? tr(layoutNames[m_layout]) : QString());
}

void CheckPushButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        explainLayout();
    QPushButton::changeEvent(event);
}

QList<QRectF> CheckPushButton::layoutRects(int layout)
{
    // The preview draws the very regions the multiview view routes to. The undivided output (and
    // any number the device does not know) has no windows: the view's whole-output region is
    // not one.
    if (layout <= 0 || layout >= LayoutCount)
        return {};
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
