#include "planpushbutton.h"

#include "storage/plannamestore.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

const QColor Accent(51, 140, 86);
const QColor EmptyScreen(221, 222, 219);

} // namespace

PlanPushButton::PlanPushButton(QWidget *parent) : QPushButton(parent)
{
    m_fontPoint = fontPointFor(size());
}

int PlanPushButton::fontPointFor(const QSize &size)
{
    const double scale =
        std::min(double(size.width()) / DesignWidth, double(size.height()) / DesignHeight);
    const int point = int(std::lround(DesignPoint * scale));
    // A font of 0 points or less is invalid; a collapsed button still gets a usable one.
    return std::max(1, std::min(MaxPoint, point));
}

QMap<int, QString> PlanPushButton::loadPlanNames(const QString &address)
{
    return PlanNameStore().loadPlanNames(address);
}

bool PlanPushButton::savePlanName(int planNumber, const QString &name)
{
    return PlanNameStore().savePlanName(planNumber, name);
}

void PlanPushButton::applyCaptions(const QList<PlanPushButton *> &buttons,
                                   const QMap<int, QString> &namesByIndex)
{
    for (int i = 0; i < buttons.size(); ++i) {
        PlanPushButton *button = buttons.at(i);
        if (!button)
            continue;
        const QString name = namesByIndex.value(i);
        if (name.isEmpty())
            button->setNumberCaption(i + 1);
        else
            button->setNamedCaption(i + 1, name);
    }
}

void PlanPushButton::setNumberCaption(int number)
{
    m_captionMode = true;
    m_number = number;
    setText(caption());
    setToolTip(QString());
    update();
}

void PlanPushButton::setNamedCaption(int number, const QString &name)
{
    m_captionMode = true;
    m_number = -1;
    m_captionNumber = number;
    m_captionName = name;
    setText(caption());
    setToolTip(caption());
    update();
}

QString PlanPushButton::caption() const
{
    if (m_number != -1)
        return QStringLiteral("[%1]").arg(m_number);
    return QStringLiteral("[%1]%2").arg(m_captionNumber).arg(m_captionName);
}

QString PlanPushButton::fitCaption(const QString &text, const QFont &font, const QSize &area)
{
    const QFontMetrics metrics(font);
    const int width = std::max(0, area.width());
    const int room = std::max(1, area.height() / std::max(1, metrics.lineSpacing()));
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        // The last line there is room for takes the rest of the text, cut at its end: "[n]"
        // leads the caption and stays in sight.
        if (lines.size() == room - 1) {
            lines.append(
                metrics.elidedText(text.mid(line.textStart()).trimmed(), Qt::ElideRight, width));
            break;
        }
        lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    return lines.join(QLatin1Char('\n'));
}

QRect PlanPushButton::captionRect() const
{
    return rect().adjusted(2, 2, -2, -2);
}

QFont PlanPushButton::captionFont() const
{
    QFont f = font();
    f.setPointSize(m_fontPoint);
    return f;
}

QSize PlanPushButton::sizeHint() const
{
    const int number = m_number != -1 ? m_number : m_captionNumber;
    if (!m_captionMode || number == -1)
        return QPushButton::sizeHint();
    if (m_hint.isValid() && m_hintNumber == number)
        return m_hint;
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = QStringLiteral("[%1]").arg(number);
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, option.text);
    m_hint = style()->sizeFromContents(QStyle::CT_PushButton, &option, text, this);
    m_hintNumber = number;
    return m_hint;
}

void PlanPushButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
        m_hint = QSize();
    QPushButton::changeEvent(event);
}

QString PlanPushButton::shownCaption() const
{
    return fitCaption(caption(), captionFont(), captionRect().size());
}

void PlanPushButton::setGrid(int rows, int columns)
{
    m_rows = std::max(1, rows);
    m_columns = std::max(1, columns);
    m_captionMode = false;
    update();
}

void PlanPushButton::setPreview(int index, const QMap<int, QList<int>> &groups)
{
    m_previewIndex = index;
    m_groups = groups;
    update();
}

void PlanPushButton::setGroupColors(const QStringList &colors)
{
    m_groupColors = colors;
    m_previewMode = false;
    update();
}

void PlanPushButton::setPreviewMode()
{
    m_previewMode = true;
    update();
}

QColor PlanPushButton::screenColor(int screen) const
{
    int index = 0;
    for (auto it = m_groups.cbegin(); it != m_groups.cend(); ++it, ++index) {
        if (!it.value().contains(screen))
            continue;
        // More groups than colours: the colours are used again in turn.
        if (!m_groupColors.isEmpty())
            return QColor(m_groupColors.at(index % m_groupColors.size()));
        return Accent;
    }
    return QColor();
}

void PlanPushButton::clearPressedLook()
{
    m_pressedLook = false;
    update();
}

void PlanPushButton::flash()
{
    m_pressedLook = true;
    update();
    QTimer::singleShot(PressedLookMs, this, &PlanPushButton::clearPressedLook);
}

void PlanPushButton::mousePressEvent(QMouseEvent *event)
{
    if (m_plainMode) {
        QPushButton::mousePressEvent(event);
        return;
    }
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        event->ignore();
        return;
    }
    flash();
    // The group reports the click for either button, so a right press opens the plan menu too.
    click();
    event->accept();
}

void PlanPushButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_plainMode) {
        QPushButton::mouseReleaseEvent(event);
        return;
    }
    clearPressedLook();
    event->accept();
}

void PlanPushButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_plainMode) {
        QPushButton::mouseDoubleClickEvent(event);
        return;
    }
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    flash();
    event->accept();
    emit si_doubleClick();
}

void PlanPushButton::resizeEvent(QResizeEvent *event)
{
    QPushButton::resizeEvent(event);
    m_fontPoint = fontPointFor(size());
}

void PlanPushButton::paintPicture(QPainter &painter, const QRectF &area)
{
    const qreal cellW = area.width() / m_columns;
    const qreal cellH = area.height() / m_rows;
    painter.setPen(QPen(Qt::white, 1.5));
    for (int row = 0; row < m_rows; ++row) {
        for (int col = 0; col < m_columns; ++col) {
            const QColor color = screenColor(row * m_columns + col + 1);
            painter.setBrush(color.isValid() ? color : EmptyScreen);
            painter.drawRect(
                QRectF(area.left() + col * cellW, area.top() + row * cellH, cellW, cellH));
        }
    }
}

void PlanPushButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // The ordinary button look first, without its own text: the caption is drawn below.
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    if (m_pressedLook)
        option.state |= QStyle::State_Sunken;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);

    const QRectF inner = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setPen(isChecked() ? QPen(Accent, 2) : QPen(QColor(0, 0, 0, 40), 1));
    painter.setBrush(m_pressedLook ? m_pressedColor : m_normalColor);
    painter.drawRoundedRect(inner, 3, 3);

    if (m_previewMode) {
        const qreal margin = std::max(3.0, std::min(width(), height()) * 0.12);
        paintPicture(painter, inner.adjusted(margin, margin, -margin, -margin));
        return;
    }
    if (!m_captionMode)
        return;

    painter.setFont(captionFont());
    QColor textColor(Qt::black);
    if (!isEnabled())
        textColor.setAlpha(110);
    painter.setPen(textColor);
    painter.drawText(captionRect(), Qt::AlignCenter, shownCaption());
}
