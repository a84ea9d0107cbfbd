#pragma once

// CheckPushButton: a checkable, transparent button that previews a multiview layout.
//   setLayoutNumber(0..6) / layoutNumber()
//   layoutRects(layout)   the window rectangles of a layout as fractions of the whole, the
//                         regions of SingleSplitterWidget::layoutRegions in region order
// Windows are outlined in white and filled green while checked, light grey otherwise. The
// button holds no text: its tooltip names the layout.

#include <QList>
#include <QPushButton>
#include <QRectF>

class CheckPushButton : public QPushButton
{
    Q_OBJECT

public:
    static constexpr int LayoutCount = 7;

    explicit CheckPushButton(QWidget *parent = nullptr);

    void setLayoutNumber(int layout);
    int layoutNumber() const { return m_layout; }

    /// Window rectangles of `layout` (x, y, width, height as fractions); empty for 0 and for an
    /// unknown layout. Layout 6 is a full window with a picture-in-picture window over it.
    static QList<QRectF> layoutRects(int layout);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void explainLayout();

    int m_layout = 0;
};
