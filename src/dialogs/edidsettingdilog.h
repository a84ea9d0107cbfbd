#pragma once

#include "uikit/framelessdialog.h"

namespace Ui {
class EdidSettingDilog;
}

/// EDID of one input: a built-in one, a copy of what a display on an output reports, or a
/// file uploaded over the upload channel unchanged.
class EdidSettingDilog : public FramelessDialog
{
    Q_OBJECT

public:
    explicit EdidSettingDilog(int inputPort, QWidget *parent = nullptr);
    ~EdidSettingDilog() override;

    int inputPort() const { return m_inputPort; }

    /// Closing while the file is uploading asks first and then abandons the upload.
    void done(int result) override;

private slots:
    void on_btnClose_clicked();
    void on_UploadBtn_clicked();
    void on_btnAppInputEDID_clicked();
    void on_btnCopyEDID_clicked();
    void on_BrowserBtn_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void setUploadControlsEnabled(bool enabled);
    void showProgress(int itemsLeft);
    void showFinished();
    void uploadEnded();

    Ui::EdidSettingDilog *m_ui;
    int m_inputPort;
    /// Size of the file being uploaded, the denominator of the progress bar.
    qint64 m_uploadSize = 1;
};
