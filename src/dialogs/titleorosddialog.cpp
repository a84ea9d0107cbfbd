#include "titleorosddialog.h"

#include "ui_titleorosddialog.h"

#include "captionbitmap.h"
#include "protocol/messagedistance.h"
#include "reporttext.h"
#include "state/captioninfo.h"
#include "state/devicestate.h"
#include "storage/captionstore.h"
#include "storage/projectdatabase.h"
#include "uikit/dialogconfirm.h"
#include "uikit/msgdlg.h"
#include "uploaderrordialogs.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QIntValidator>
#include <QJsonObject>
#include <QSignalBlocker>

namespace {
const QString DefaultFamily = QStringLiteral("Microsoft YaHei UI");

QString toolButtonColor(const QColor &color)
{
    return QStringLiteral("QToolButton{background-color:rgb(") +
           QStringLiteral("%1,%2,%3").arg(color.red()).arg(color.green()).arg(color.blue()) +
           QStringLiteral(")}");
}
} // namespace

TitleOrOsdDialog::TitleOrOsdDialog(CaptionStore *store, int port, QWidget *parent)
    : FramelessDialog(parent, Qt::Tool), m_ui(new Ui::TitleOrOsdDialog), m_store(store),
      m_port(port), m_isOsd(port != -1), m_directions(new QButtonGroup(this))
{
    m_ui->setupUi(this);
    setModal(true);
    applyShadow(m_ui->widget_bg, 25);
    setWindowTitle(m_isOsd ? tr("OSD Setting") : tr("Caption Setting"));
    m_ui->IsShowCheck->setBackgroundColor(QColor(0x9a, 0xa5, 0xad));
    m_ui->IsShowCheck->setCheckedColor(QColor(0x33, 0x8c, 0x56));
    m_ui->BgColorSwitch->setBackgroundColor(QColor(0x9a, 0xa5, 0xad));
    m_ui->BgColorSwitch->setCheckedColor(QColor(0x33, 0x8c, 0x56));

    fillLists();
    m_ui->LeftBtn->setCheckable(true);
    m_ui->RightBtn->setCheckable(true);
    m_directions->setExclusive(true);
    m_directions->addButton(m_ui->LeftBtn, 0);
    m_directions->addButton(m_ui->RightBtn, 1);
    m_ui->PosXEdit->setValidator(new QIntValidator(0, 65535, this));
    m_ui->PosYEdit->setValidator(new QIntValidator(0, 65535, this));
    m_ui->lb_output->setVisible(!m_isOsd);
    m_ui->OutputCombo->setVisible(!m_isOsd);

    loadStoredText();

    m_ui->progressBar->setValue(0);
    MessageDistance *client = MessageDistance::instance();
    client->startUploadCloseRetry(false);
    client->openUploadSocket(false);

    connect(m_directions, &QButtonGroup::idToggled, this,
            &TitleOrOsdDialog::directionButtonClicked);
    connect(m_ui->PosXEdit, &QLineEdit::editingFinished, this, &TitleOrOsdDialog::sendPosition);
    connect(m_ui->PosYEdit, &QLineEdit::editingFinished, this, &TitleOrOsdDialog::sendPosition);
    connect(client, &MessageDistance::receiveTitleImfSig, this,
            &TitleOrOsdDialog::applyDeviceSettings);
    connect(client, &MessageDistance::si_setDisableUiObject, this,
            [this](bool disable) { setUploadControlsEnabled(!disable); });
    connect(client, &MessageDistance::si_updateProgressVal, this, &TitleOrOsdDialog::showProgress);
    // The finished notice is modal; it must not start inside the channel's own handler.
    connect(client, &MessageDistance::si_uploadFinished, this, &TitleOrOsdDialog::showFinished,
            Qt::QueuedConnection);
    // The channel tells the operator which file did not arrive; here the dialog gets ready to
    // try again.
    connect(client, &MessageDistance::si_uploadFailed, this, &TitleOrOsdDialog::uploadEnded);
}

TitleOrOsdDialog::~TitleOrOsdDialog()
{
    MessageDistance *client = MessageDistance::instance();
    client->disconnect(this);
    // Gone without being closed (its parent went first): nobody is left to try again.
    client->abandonUpload();
    client->startUploadCloseRetry(true);
    delete m_ui;
}

void TitleOrOsdDialog::fillLists()
{
    m_ui->FontCombo->addItems(QFontDatabase().families());
    m_ui->FontCombo->setCurrentText(DefaultFamily);

    const int first = m_isOsd ? 1 : 100;
    const int last = m_isOsd ? 100 : 500;
    for (int size = first; size <= last; ++size)
        m_ui->FontSizeCombo->addItem(QString::number(size));
    m_ui->FontSizeCombo->setCurrentText(m_isOsd ? QStringLiteral("35") : QStringLiteral("200"));

    if (!m_isOsd) {
        const int outputs = portCountFor(DeviceState::instance()->deviceType());
        for (int n = 1; n <= outputs; ++n)
            m_ui->OutputCombo->addItem(tr("Out%1").arg(n), n);
    }
}

void TitleOrOsdDialog::loadStoredText()
{
    if (!m_store)
        return;
    const QMap<int, CaptionRecord> records = m_store->loadCaptions();
    if (!records.contains(m_port))
        return;
    const CaptionRecord record = records.value(m_port);
    m_ui->TextEdit->setText(record.content);
    m_ui->FontCombo->setCurrentText(record.font);
    m_ui->FontSizeCombo->setCurrentText(QString::number(record.fontSize));
    m_ui->BoldBtn->setChecked(record.isBold);
    m_ui->ItalicBtn->setChecked(record.isItalic);
    m_ui->UnderlineBtn->setChecked(record.isUnderline);
}

void TitleOrOsdDialog::applyDeviceSettings(const QJsonObject &object)
{
    const CaptionInfo info = CaptionInfo::fromReport(object);
    {
        // Showing the device's view must not send it back.
        const QSignalBlocker b1(m_ui->IsShowCheck);
        const QSignalBlocker b2(m_ui->speedSplider);
        const QSignalBlocker b3(m_ui->PosXEdit);
        const QSignalBlocker b4(m_ui->PosYEdit);
        const QSignalBlocker b5(m_ui->BgColorSwitch);
        const QSignalBlocker b6(m_directions);
        const QSignalBlocker b7(m_ui->LeftBtn);
        const QSignalBlocker b8(m_ui->RightBtn);

        m_ui->IsShowCheck->setToggled(info.switchOn);
        m_ui->speedSplider->setValue(info.speed);
        m_ui->lb_speedValue->setText(QString::number(info.speed));
        m_ui->ColorSetting->setStyleSheet(QStringLiteral("background:rgb(%1)").arg(info.color));
        m_ui->PosXEdit->setText(QString::number(info.positionX));
        m_ui->PosYEdit->setText(QString::number(info.positionY));
        m_ui->BgColorSwitch->setToggled(info.bgSwitchOn);
        m_ui->BgColorSetting->setStyleSheet(QStringLiteral("background:rgb(%1)").arg(info.bgColor));
        if (info.moveDir == QLatin1String("left"))
            m_ui->LeftBtn->setChecked(true);
        else if (info.moveDir == QLatin1String("right"))
            m_ui->RightBtn->setChecked(true);
    }
    m_fontColor = ReportText::colorFromText(info.color);
    m_bgColor = ReportText::colorFromText(info.bgColor);
}

QColor TitleOrOsdDialog::chooseColor(const QColor &initial)
{
    return QColorDialog::getColor(initial, this, tr("Select Color"));
}

void TitleOrOsdDialog::on_ColorSetting_clicked()
{
    const QColor color = chooseColor(m_fontColor);
    if (!color.isValid())
        return;
    m_fontColor = color;
    m_ui->ColorSetting->setStyleSheet(toolButtonColor(color));
    MessageDistance::instance()->setCaptionFontColor(color.red(), color.green(), color.blue());
}

void TitleOrOsdDialog::on_BgColorSetting_clicked()
{
    const QColor color = chooseColor(m_bgColor);
    if (!color.isValid())
        return;
    m_bgColor = color;
    m_ui->BgColorSetting->setStyleSheet(toolButtonColor(color));
    MessageDistance::instance()->setCaptionBgColor(color.red(), color.green(), color.blue());
}

void TitleOrOsdDialog::on_speedSplider_sliderReleased()
{
    const int speed = m_ui->speedSplider->value();
    m_ui->lb_speedValue->setText(QString::number(speed));
    MessageDistance::instance()->setCaptionSpeed(speed);
}

void TitleOrOsdDialog::on_IsShowCheck_toggled(bool checked)
{
    MessageDistance::instance()->setCaptionOpen(checked);
}

void TitleOrOsdDialog::on_BgColorSwitch_toggled(bool checked)
{
    MessageDistance::instance()->setCaptionBgOpen(checked);
}

void TitleOrOsdDialog::directionButtonClicked(int id, bool bSet)
{
    if (bSet)
        MessageDistance::instance()->setCaptionDirection(id);
}

void TitleOrOsdDialog::sendPosition()
{
    // A field ends its editing on Return and again when it loses focus; only an edit sends.
    if (!m_ui->PosXEdit->isModified() && !m_ui->PosYEdit->isModified())
        return;
    m_ui->PosXEdit->setModified(false);
    m_ui->PosYEdit->setModified(false);
    // An empty field counts as 0.
    MessageDistance::instance()->setCaptionPosition(m_ui->PosXEdit->text().toInt(),
                                                    m_ui->PosYEdit->text().toInt());
}

void TitleOrOsdDialog::on_EraseBtn_clicked()
{
    if (m_isOsd)
        MessageDistance::instance()->eraseOsd();
    else
        MessageDistance::instance()->eraseSubtitle();
}

void TitleOrOsdDialog::on_BrowserBtn_clicked()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Select Picture"), QString(),
        tr("Pictures (*.bmp *.png *.jpg *.jpeg *.gif);;All files (*.*)"));
    if (!path.isEmpty())
        m_ui->ImagePathEdit->setText(path);
}

void TitleOrOsdDialog::on_uploadCharBtn_clicked()
{
    const QString text = m_ui->TextEdit->text();
    // Blanks alone would put an empty bitmap on the screen; Erase is the way to clear it.
    if (text.trimmed().isEmpty()) {
        MsgDlg(tr("Warning"), tr("Enter the text to show before uploading it."), this).exec();
        m_ui->TextEdit->setFocus();
        return;
    }
    const QString family = m_ui->FontCombo->currentText();
    const int size = m_ui->FontSizeCombo->currentText().toInt();
    const bool bold = m_ui->BoldBtn->isChecked();
    const bool italic = m_ui->ItalicBtn->isChecked();
    const bool underline = m_ui->UnderlineBtn->isChecked();
    // The upload still goes; only keeping the text for next time failed, and the operator is told.
    if (m_store && !m_store->saveCaption(m_port, text, family, size, bold, italic, underline)) {
        MsgDlg(
            tr("Warning"),
            tr("The text could not be saved for next time:\n%1").arg(ProjectDatabase::lastError()),
            this)
            .exec();
    }

    const QString path = CaptionBitmap::textBitmapPath();
    CaptionBitmap::writeTextBitmap(
        text, CaptionBitmap::captionFont(family, size, bold, italic, underline), path);
    uploadBitmapFile(path, true, text);
}

void TitleOrOsdDialog::on_uploadImgBtn_clicked()
{
    const QString picture = m_ui->ImagePathEdit->text();
    if (picture.isEmpty())
        return;
    const QString path = CaptionBitmap::pictureBitmapPath();
    CaptionBitmap::writePictureBitmap(picture, path);
    uploadBitmapFile(path, false, QFileInfo(picture).fileName());
}

void TitleOrOsdDialog::uploadBitmapFile(const QString &path, bool isText, const QString &what)
{
    const QFileInfo file(path);
    if (!file.exists() || file.size() == 0) {
        MsgDlg(tr("error"), tr("File is empty"), this).exec();
        return;
    }
    // Only an OSD text has a size limit; captions and pictures go whatever their size.
    if (isText && m_isOsd && file.size() > OsdSizeLimit) {
        MsgDlg(tr("错误"), tr("台标字幕文件大小不能超过4K!"), this).exec();
        return;
    }
    MessageDistance *client = MessageDistance::instance();
    client->openUploadSocket(true);
    setUploadControlsEnabled(false);
    if (!client->isUploadConnected()) {
        MsgDlg(tr("NetWork Error"), tr("传输文件端口连接发生错误！"), this).exec();
        setUploadControlsEnabled(true);
        return;
    }

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage(path).save(&buffer, "bmp");
    buffer.close();
    m_uploadSize = bytes.size();
    m_ui->progressBar->setValue(0);

    const QString start = m_isOsd ? QStringLiteral("{param=Upload_OSD%1}").arg(m_port)
                                  : QStringLiteral("{param=Upload_Subtitle%1}")
                                        .arg(m_ui->OutputCombo->currentData().toInt());
    client->uploadFile(start, bytes, QStringLiteral("{param=Done}"),
                       what.isEmpty() ? file.fileName() : what);
}

void TitleOrOsdDialog::setUploadControlsEnabled(bool enabled)
{
    m_ui->uploadCharBtn->setEnabled(enabled);
    m_ui->uploadImgBtn->setEnabled(enabled);
    m_ui->BrowserBtn->setEnabled(enabled);
    m_ui->EraseBtn->setEnabled(enabled);
}

void TitleOrOsdDialog::showProgress(int itemsLeft)
{
    m_ui->progressBar->setValue(CaptionBitmap::progressPercent(m_uploadSize, itemsLeft));
}

void TitleOrOsdDialog::showFinished()
{
    m_ui->progressBar->setValue(100);
    DialogConfirm notice(this, windowTitle(), tr("Uploading Finished"));
    notice.resize(width() * 3 / 4, height() * 3 / 4);
    notice.exec();
    uploadEnded();
}

void TitleOrOsdDialog::uploadEnded()
{
    m_ui->progressBar->setValue(0);
    setUploadControlsEnabled(true);
}

void TitleOrOsdDialog::done(int result)
{
    if (confirmCloseDuringUpload(this))
        FramelessDialog::done(result);
}

void TitleOrOsdDialog::on_btnClose_clicked()
{
    done(0);
}

void TitleOrOsdDialog::on_OkBtn_clicked()
{
    done(1);
}

void TitleOrOsdDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowTitleChange)
        m_ui->lb_title->setText(windowTitle());
    FramelessDialog::changeEvent(event);
}
