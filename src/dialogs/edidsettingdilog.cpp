#include "edidsettingdilog.h"

#include "ui_edidsettingdilog.h"

#include "app/appsettings.h"
#include "captionbitmap.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "uikit/dialogconfirm.h"
#include "uikit/msgdlg.h"
#include "uploaderrordialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

EdidSettingDilog::EdidSettingDilog(int inputPort, QWidget *parent)
    : FramelessDialog(parent, Qt::Tool), m_ui(new Ui::EdidSettingDilog), m_inputPort(inputPort)
{
    m_ui->setupUi(this);
    setModal(true);
    applyShadow(m_ui->widget_bg, 25);
    m_ui->cbb_builtinEdid->addItem(tr("4K@60Recommend1080P@60"));

    const int outputs = portCountFor(DeviceState::instance()->deviceType());
    for (int n = 1; n <= outputs; ++n) {
        m_ui->cbb_copyOutput->addItem(
            QStringLiteral("[%1] %2").arg(n).arg(AppSettings::instance()->outputName(n)));
    }

    m_ui->progressBar->setValue(0);
    MessageDistance *client = MessageDistance::instance();
    client->startUploadCloseRetry(false);
    client->openUploadSocket(false);

    connect(client, &MessageDistance::si_updateProgressVal, this, &EdidSettingDilog::showProgress);
    // The finished notice is modal; it must not start inside the channel's own handler.
    connect(client, &MessageDistance::si_uploadFinished, this, &EdidSettingDilog::showFinished,
            Qt::QueuedConnection);
    // The channel tells the operator which file did not arrive; here the dialog gets ready to
    // try again.
    connect(client, &MessageDistance::si_uploadFailed, this, &EdidSettingDilog::uploadEnded);
}

EdidSettingDilog::~EdidSettingDilog()
{
    MessageDistance *client = MessageDistance::instance();
    client->disconnect(this);
    // Gone without being closed (its parent went first): nobody is left to try again.
    client->abandonUpload();
    client->startUploadCloseRetry(true);
    delete m_ui;
}

void EdidSettingDilog::done(int result)
{
    if (confirmCloseDuringUpload(this))
        FramelessDialog::done(result);
}

void EdidSettingDilog::on_btnClose_clicked()
{
    done(0);
}

void EdidSettingDilog::on_btnAppInputEDID_clicked()
{
    MessageDistance::instance()->selectEdid(m_inputPort, m_ui->cbb_builtinEdid->currentIndex());
}

void EdidSettingDilog::on_btnCopyEDID_clicked()
{
    const int output = m_ui->cbb_copyOutput->currentIndex() + 1;
    if (output >= 1)
        MessageDistance::instance()->copyEdid(m_inputPort, output);
}

void EdidSettingDilog::on_BrowserBtn_clicked()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("请选择更新文件"), QStringLiteral("/"), tr("支持文件 (*.bin);; 所有文件(*.*);;"));
    if (!path.isEmpty())
        m_ui->le_edidPath->setText(path);
}

void EdidSettingDilog::on_UploadBtn_clicked()
{
    const QString path = m_ui->le_edidPath->text();
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return;
    if (file.size() == 0) {
        MsgDlg(tr("error"), tr("File is empty"), this).exec();
        return;
    }
    MessageDistance *client = MessageDistance::instance();
    client->openUploadSocket(true);
    if (!client->isUploadConnected()) {
        MsgDlg(tr("NetWork Error"), tr("传输文件端口连接发生错误！"), this).exec();
        return;
    }
    setUploadControlsEnabled(false);
    m_uploadSize = file.size();
    m_ui->progressBar->setValue(0);
    // Sent as it is: the device judges the content.
    client->uploadFile(QStringLiteral("{param=Update_EDID%1}").arg(m_inputPort), file.readAll(),
                       QStringLiteral("{param=Done}"), QFileInfo(path).fileName());
}

void EdidSettingDilog::setUploadControlsEnabled(bool enabled)
{
    m_ui->UploadBtn->setEnabled(enabled);
    m_ui->BrowserBtn->setEnabled(enabled);
}

void EdidSettingDilog::showProgress(int itemsLeft)
{
    m_ui->progressBar->setValue(CaptionBitmap::progressPercent(m_uploadSize, itemsLeft));
}

void EdidSettingDilog::showFinished()
{
    m_ui->progressBar->setValue(100);
    DialogConfirm(this, windowTitle(), tr("Uploading Finished")).exec();
    uploadEnded();
}

void EdidSettingDilog::uploadEnded()
{
    m_ui->progressBar->setValue(0);
    setUploadControlsEnabled(true);
}

void EdidSettingDilog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowTitleChange)
        m_ui->lb_title->setText(windowTitle());
    FramelessDialog::changeEvent(event);
}
