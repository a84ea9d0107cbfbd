#pragma once

#include <QCheckBox>
#include <QSize>

class QSvgRenderer;

/// A check box drawn with two SVG images, one for ticked and one for unticked. In text position
/// mode 0 the image stands at the left with the text beside it; in mode 1 the image alone fills
/// the box.
class SvgCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    enum TextPosition
    {
        ImageBesideText = 0,
        ImageOnly = 1
    };

    explicit SvgCheckBox(QWidget *parent = nullptr);
    explicit SvgCheckBox(const QString &text, QWidget *parent = nullptr);

    QString onSvgPath() const { return m_onPath; }
    QString offSvgPath() const { return m_offPath; }
    void setOnSvgPath(const QString &path);
    void setOffSvgPath(const QString &path);
    void setSvgPaths(const QString &onPath, const QString &offPath);

    QSize svgSize() const { return m_svgSize; }
    void setSvgSize(const QSize &size);
    void setSvgSize(int width, int height) { setSvgSize(QSize(width, height)); }

    int textPosition() const { return m_textPosition; }
    void setTextPosition(int mode);

    /// The rectangle the current image is drawn into.
    QRect imageRect() const;
    /// The image shown for the current state: the on-image when ticked and one is set.
    QString currentSvgPath() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QRect textRect() const;

    QFont m_font;
    QString m_onPath = QStringLiteral(":/Images/on2.svg");
    QString m_offPath = QStringLiteral(":/Images/off2.svg");
    int m_textPosition = ImageBesideText;
    QSize m_svgSize = QSize(18, 18);
    QSvgRenderer *m_onRenderer = nullptr;
    QSvgRenderer *m_offRenderer = nullptr;
};
