#pragma once

#include <QColor>
#include <QList>
#include <QMap>
#include <QPushButton>
#include <QStringList>

/// A plan button: draws "[n]" or "[n]name", flashes on a press (right as well as left), reports
/// left double clicks. As a splice-mode preset it draws a small picture of the preset's groups.
/// A name wraps onto the lines the button has room for and the last line ends in "…" when it
/// still does not fit, so a name never widens the button; the tooltip holds the whole caption.
class PlanPushButton : public QPushButton
{
    Q_OBJECT

public:
    static constexpr int DesignWidth = 90;
    static constexpr int DesignHeight = 47;
    static constexpr int DesignPoint = 12;
    static constexpr int MaxPoint = 16;
    static constexpr int PressedLookMs = 50;

    explicit PlanPushButton(QWidget *parent = nullptr);

    /// Caption size for a button size: 12 pt at 90 x 47, scaled by the tighter side, at most 16.
    static int fontPointFor(const QSize &size);
    /// Plan number -> name for one device address, from project.db.
    static QMap<int, QString> loadPlanNames(const QString &address);
    /// Names plan `planNumber` for the device address of the settings.
    static bool savePlanName(int planNumber, const QString &name);
    /// Gives button i the caption of plan i + 1: "[n]name" when `namesByIndex` holds a name for
    /// index i, else "[n]".
    static void applyCaptions(const QList<PlanPushButton *> &buttons,
                              const QMap<int, QString> &namesByIndex);

    /// Ordinary push-button handling of presses and double clicks.
    void setPlainMode(bool plain) { m_plainMode = plain; }
    bool plainMode() const { return m_plainMode; }

    void setNumberCaption(int number);
    void setNamedCaption(int number, const QString &name);
    /// The text of the caption, whole.
    QString caption() const;
    /// The caption as drawn at the button's present size: lines joined by '\n'.
    QString shownCaption() const;
    bool captionMode() const { return m_captionMode; }

    void setGrid(int rows, int columns);
    void setPreview(int index, const QMap<int, QList<int>> &groups);
    /// Colour names of the groups in the picture, in group order; the picture stays off until
    /// setPreviewMode().
    void setGroupColors(const QStringList &colors);
    void setPreviewMode();
    bool previewMode() const { return m_previewMode; }
    int previewIndex() const { return m_previewIndex; }
    QMap<int, QList<int>> previewGroups() const { return m_groups; }
    /// The colour a screen (1-based, row by row) is drawn in; invalid for a screen in no group.
    QColor screenColor(int screen) const;

    bool pressedLook() const { return m_pressedLook; }
    void clearPressedLook();
    int fontPoint() const { return m_fontPoint; }

    /// As large as for "[n]" alone, whatever the name.
    QSize sizeHint() const override;

signals:
    void si_doubleClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void flash();
    /// `text` wrapped into `area` in `font`, the last line that fits cut with "…".
    static QString fitCaption(const QString &text, const QFont &font, const QSize &area);
    QRect captionRect() const;
    QFont captionFont() const;
    void paintPicture(QPainter &painter, const QRectF &area);

    bool m_plainMode = false;
    bool m_pressedLook = false;
    bool m_captionMode = true;
    bool m_previewMode = false;
    int m_number = -1;
    int m_captionNumber = -1;
    // The size hint of the number shown: twenty buttons ask again and again while the window is
    // laid out, and the style sheet's answer changes only with the number, font or style.
    mutable QSize m_hint;
    mutable int m_hintNumber = -1;
    QString m_captionName;
    int m_rows = 1;
    int m_columns = 1;
    int m_previewIndex = 0;
    QMap<int, QList<int>> m_groups;
    QStringList m_groupColors;
    int m_fontPoint = DesignPoint;
    QColor m_normalColor{240, 241, 236};
    QColor m_pressedColor{201, 202, 202};
};
