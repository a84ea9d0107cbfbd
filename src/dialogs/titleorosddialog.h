#pragma once

#include "uikit/framelessdialog.h"

#include <QColor>

class CaptionStore;
class QButtonGroup;
class QJsonObject;
class QWidget;

namespace Ui {
class TitleOrOsdDialog;
}

/// Caption (port -1) or OSD of one input: every setting is sent as it changes, the device's
/// report is shown without echo, and a text or picture is rendered to a one-bit bitmap and
/// uploaded with progress.
class TitleOrOsdDialog : public FramelessDialog
{
    Q_OBJECT

public:
    TitleOrOsdDialog(CaptionStore *store, int port, QWidget *parent = nullptr);
    ~TitleOrOsdDialog() override;

    int port() const { return m_port; }
    bool isOsd() const { return m_isOsd; }
    QColor fontColor() const { return m_fontColor; }
    QColor backgroundColor() const { return m_bgColor; }
    /// Bytes of the last bitmap handed to the upload channel.
    qint64 uploadSize() const { return m_uploadSize; }

    /// OSD text bitmaps larger than this are refused.
    static constexpr qint64 OsdSizeLimit = 4096;

    /// Checks a finished bitmap file and hands it to the upload channel: an empty file, and in
    /// OSD mode a text bitmap over 4 KB, are refused with a message. what names the upload to
    /// the operator should it not arrive (the file's name when empty).
    void uploadBitmapFile(const QString &path, bool isText, const QString &what = QString());

    /// Closing while a file is uploading asks first and then abandons the upload.
    void done(int result) override;

public slots:
    void on_btnClose_clicked();
    void on_OkBtn_clicked();
    void on_ColorSetting_clicked();
    void on_BgColorSetting_clicked();
    void on_BrowserBtn_clicked();
    void on_uploadCharBtn_clicked();
    void on_speedSplider_sliderReleased();
    void on_IsShowCheck_toggled(bool checked);
    void on_BgColorSwitch_toggled(bool checked);
    void directionButtonClicked(int id, bool bSet);
    void on_uploadImgBtn_clicked();
    void on_EraseBtn_clicked();

    /// The device's current settings (the answer to getOsd or getSubtitle).
    void applyDeviceSettings(const QJsonObject &object);

protected:
    void changeEvent(QEvent *event) override;

private:
    void fillLists();
    void loadStoredText();
    void sendPosition();
    void setUploadControlsEnabled(bool enabled);
    void showProgress(int itemsLeft);
    void showFinished();
    void uploadEnded();
    QColor chooseColor(const QColor &initial);

    Ui::TitleOrOsdDialog *m_ui;
    CaptionStore *m_store;
    int m_port;
    bool m_isOsd;
    QColor m_fontColor = QColor(0, 0, 0, 255);
    QColor m_bgColor = QColor(0, 0, 0, 255);
    qint64 m_uploadSize = 1;
    QButtonGroup *m_directions;
};
