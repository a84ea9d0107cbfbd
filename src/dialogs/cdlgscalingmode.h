#pragma once

#include "uikit/framelessdialog.h"

class QRadioButton;

namespace Ui {
class CDlgScalingmode;
}

/// Scaling mode of one output: squeeze (0), letterbox (2) or crop (3). OK sends the choice;
/// the device's report for the same output updates the choice and the state store.
class CDlgScalingmode : public FramelessDialog
{
    Q_OBJECT

public:
    explicit CDlgScalingmode(QWidget *parent = nullptr);
    ~CDlgScalingmode() override;

    int port() const { return m_port; }
    /// Stores the output and preselects its mode as the state store knows it.
    void setPort(int port);

    /// The mode the selected radio button stands for, or -1 when none is selected.
    int selectedMode() const;

public slots:
    /// A reply text forwarded by the main window, e.g. {"Chn":3,"Scaler_Mode":2}.
    void sl_StateUpdate(QString RecvData);

private slots:
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_btnClose_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void showMode(int mode);

    Ui::CDlgScalingmode *m_ui;
    int m_port = 0;
};
