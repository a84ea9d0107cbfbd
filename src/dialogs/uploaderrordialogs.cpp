#include "uploaderrordialogs.h"

#include "protocol/messagedistance.h"
#include "uikit/dialogconfirm.h"
#include "uikit/msgdlg.h"

#include <QApplication>
#include <QPointer>

void installUploadErrorDialogs()
{
    MessageDistance::instance()->setErrorReporter([](const QString &title, const QString &text) {
        // The channel reports from inside its socket handlers, before it has cleared its
        // queue; a modal loop started there would let the next answer in half-way. Show the
        // message once the handler has finished.
        QPointer<QWidget> parent = QApplication::activeWindow();
        QMetaObject::invokeMethod(
            qApp, [parent, title, text] { MsgDlg(title, text, parent).exec(); },
            Qt::QueuedConnection);
    });
}

bool confirmCloseDuringUpload(QWidget *dialog)
{
    MessageDistance *client = MessageDistance::instance();
    if (!client->isUploadBusy())
        return true;
    DialogConfirm question(
        dialog, dialog->windowTitle(),
        QCoreApplication::translate("UploadErrorDialogs", "文件还在上传中，停止上传并关闭吗？"));
    if (question.exec() != 1)
        return false;
    // The device is not told the file is complete; the operator uploads it again.
    client->abandonUpload();
    return true;
}
