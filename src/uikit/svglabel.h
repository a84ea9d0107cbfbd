#pragma once

#include <QLabel>
#include <QSize>

class QSvgRenderer;

/// A label that paints an SVG image over its normal content, centred, at the image's own size or
/// scaled into a chosen size. Disabled labels paint at half opacity.
class SvgLabel : public QLabel
{
    Q_OBJECT

public:
    explicit SvgLabel(QWidget *parent = nullptr);

    QString svgPath() const { return m_svgPath; }
    void setSvgPath(const QString &path);
    QSize svgSize() const { return m_svgSize; }
    /// The size the image is scaled into; scaling is switched on with it.
    void setSvgSize(const QSize &size);
    void setSvgSize(int width, int height) { setSvgSize(QSize(width, height)); }
    bool isScaled() const { return m_scaled; }
    void setScaled(bool scaled);
    /// Sets path and size together and switches scaling on.
    void setSvg(const QString &path, const QSize &size);

    bool hasValidSvg() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_svgPath;
    QSize m_svgSize = QSize(32, 32);
    bool m_scaled = false;
    QSvgRenderer *m_renderer = nullptr; // shared by every label showing the same file
};
