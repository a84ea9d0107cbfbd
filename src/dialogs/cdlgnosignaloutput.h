#pragma once

#include "uikit/framelessdialog.h"

#include <QColor>
#include <QVector>

class QRadioButton;

namespace Ui {
class CDlgnosignaloutput;
}

/// What one output shows while its input has no signal: one of ten patterns, or a pure colour
/// (pattern 0 with red, green, blue). Every choice is sent at once.
class CDlgnosignaloutput : public FramelessDialog
{
    Q_OBJECT

public:
    explicit CDlgnosignaloutput(QWidget *parent = nullptr);
    ~CDlgnosignaloutput() override;

    /// The output, and a second value the opener passes along (kept, not used).
    void setPort(int port, int kind = 0);
    int port() const { return m_port; }
    int kind() const { return m_kind; }
    /// The last colour chosen or reported.
    QColor color() const { return QColor(m_red, m_green, m_blue); }

public slots:
    /// A reply text forwarded by the main window, e.g. {"Chn":3,"Mode":0,"Color":12,34,56}.
    void sl_StateUpdate(QString RecvData);

private slots:
    void on_toolButton_ColorPalette_clicked();
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_btnClose_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void patternToggled(int pattern, bool checked);
    void solidColorToggled(bool checked);
    void clearSelection();
    void showColor();

    Ui::CDlgnosignaloutput *m_ui;
    QVector<QRadioButton *> m_patterns; // index + 1 is the pattern number
    int m_port = 0;
    int m_kind = 0;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
};
