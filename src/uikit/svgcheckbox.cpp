#include "svgcheckbox.h"

#include "corvaneresources.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QSvgRenderer>

namespace {
const int TextSpacing = 6;

void loadInto(QSvgRenderer *renderer, const QString &path)
{
    if (path.isEmpty() || !renderer->load(path))
        renderer->load(QByteArray());
    // A box of another shape than its image shows the image undistorted, centred.
    renderer->setAspectRatioMode(Qt::KeepAspectRatio);
}
} // namespace

SvgCheckBox::SvgCheckBox(QWidget *parent) : SvgCheckBox(QString(), parent)
{
}

SvgCheckBox::SvgCheckBox(const QString &text, QWidget *parent)
    : QCheckBox(text, parent), m_font(QStringLiteral("Microsoft YaHei"), 8),
      m_onRenderer(new QSvgRenderer(this)), m_offRenderer(new QSvgRenderer(this))
{
    initCorvaneResources();
    setFont(m_font);
    setCursor(Qt::PointingHandCursor);
    loadInto(m_onRenderer, m_onPath);
    loadInto(m_offRenderer, m_offPath);
}

void SvgCheckBox::setOnSvgPath(const QString &path)
{
    m_onPath = path;
    loadInto(m_onRenderer, path);
    update();
}

void SvgCheckBox::setOffSvgPath(const QString &path)
{
    m_offPath = path;
    loadInto(m_offRenderer, path);
    update();
}

void SvgCheckBox::setSvgPaths(const QString &onPath, const QString &offPath)
{
    setOnSvgPath(onPath);
    setOffSvgPath(offPath);
}

void SvgCheckBox::setSvgSize(const QSize &size)
{
    m_svgSize = size;
    updateGeometry();
    update();
}

void SvgCheckBox::setTextPosition(int mode)
{
    m_textPosition = mode == ImageOnly ? ImageOnly : ImageBesideText;
    updateGeometry();
    update();
}

QString SvgCheckBox::currentSvgPath() const
{
    return (isChecked() && !m_onPath.isEmpty()) ? m_onPath : m_offPath;
}

QRect SvgCheckBox::imageRect() const
{
    if (m_textPosition == ImageOnly)
        return rect();
    QRect r(QPoint(0, 0), m_svgSize);
    r.moveTop((height() - m_svgSize.height()) / 2);
    return r;
}

QRect SvgCheckBox::textRect() const
{
    return rect().adjusted(m_svgSize.width() + TextSpacing, 0, 0, 0);
}

QSize SvgCheckBox::sizeHint() const
{
    if (m_textPosition == ImageOnly)
        return m_svgSize;
    const QFontMetrics fm(font());
    const int textWidth = text().isEmpty() ? 0 : TextSpacing + fm.horizontalAdvance(text());
    return QSize(m_svgSize.width() + textWidth, qMax(m_svgSize.height(), fm.height()));
}

QSize SvgCheckBox::minimumSizeHint() const
{
    return sizeHint();
}

void SvgCheckBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.5);

    // The toolkit draws the text so that style sheets and palettes still apply to it; the
    // indicator is replaced by the image.
    if (m_textPosition == ImageBesideText && !text().isEmpty()) {
        QStyleOptionButton option;
        initStyleOption(&option);
        option.rect = textRect();
        style()->drawControl(QStyle::CE_CheckBoxLabel, &option, &painter, this);
    }

    QSvgRenderer *renderer = (isChecked() && !m_onPath.isEmpty()) ? m_onRenderer : m_offRenderer;
    if (renderer->isValid())
        renderer->render(&painter, QRectF(imageRect()));
}

bool SvgCheckBox::hitButton(const QPoint &pos) const
{
    // The whole box is clickable, the image and the text alike.
    return rect().contains(pos);
}
