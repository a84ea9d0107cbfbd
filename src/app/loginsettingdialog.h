#pragma once

#include "uikit/framelessdialog.h"

namespace Ui {
class LoginSettingDialog;
}

/// Chooses the device address, control port and device type before logging in. OK writes them
/// to the device state store (result 1); close changes nothing (result 0). The settings file is
/// written by the next press of Login.
class LoginSettingDialog : public FramelessDialog
{
    Q_OBJECT

public:
    explicit LoginSettingDialog(QWidget *parent = nullptr, bool typeListDisabled = false);
    ~LoginSettingDialog() override;

public slots:
    void on_btnOK_clicked();
    void on_btnClose_clicked();

private:
    Ui::LoginSettingDialog *m_ui;
};
