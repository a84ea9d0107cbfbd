// Renders the login windows and the kit's dialogs offscreen, in English and in Chinese, to
// <build>/screenshots/ so that anyone can look at what the operator sees.
#include "app/logindialog.h"
#include "app/loginsettingdialog.h"
#include "../common/datadirfixture.h"
#include "protocol/messagedistance.h"
#include "uikit/dialogconfirm.h"
#include "uikit/msgdlg.h"
#include "uikit/renamedialog.h"

#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

namespace {
// The dialog as it stands on a plain desktop, shadow included.
QImage onDesktop(QWidget &window)
{
    window.show();
    QCoreApplication::processEvents();
    const QImage shot = window.grab().toImage();
    QImage desktop(shot.size() + QSize(40, 40), QImage::Format_RGB32);
    desktop.fill(QColor(0xe4, 0xe9, 0xec));
    QPainter painter(&desktop);
    painter.drawImage(20, 20, shot);
    painter.end();
    return desktop;
}

bool isWhite(QRgb c)
{
    return qRed(c) > 250 && qGreen(c) > 250 && qBlue(c) > 250;
}
} // namespace

class TestLoginScreenshots : public QObject
{
    Q_OBJECT

private:
    DataDirFixture m_fx;
    QString m_outDir;
    QTranslator m_translator;
    QScopedPointer<MessageDistance> m_client;

    void save(const QImage &image, const QString &name)
    {
        const QString path = m_outDir + QLatin1Char('/') + name + QStringLiteral(".png");
        QVERIFY2(image.save(path), qPrintable(path));
        qInfo("wrote %s", qPrintable(QDir::toNativeSeparators(path)));
    }

private slots:
    void initTestCase()
    {
        const QString build = qEnvironmentVariable("CORVANE_BUILD_DIR", QDir::currentPath());
        m_outDir = build + QStringLiteral("/screenshots");
        QVERIFY(QDir().mkpath(m_outDir));
        QApplication::setFont(QFont(QStringLiteral("Microsoft YaHei")));
        m_client.reset(new MessageDistance);
    }

    void init() { m_fx.setUp(); }

    void cleanupTestCase() { QCoreApplication::removeTranslator(&m_translator); }

    void windows_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("English") << ":/English" << "en";
        QTest::newRow("Chinese") << ":/Chinese" << "zh_CN";
    }

    void windows()
    {
        QFETCH(QString, catalogue);
        QFETCH(QString, suffix);
        QCoreApplication::removeTranslator(&m_translator);
        QVERIFY(m_translator.load(catalogue));
        QVERIFY(QCoreApplication::installTranslator(&m_translator));
        UserAccountStore users;

        {
            LoginDialog dlg(nullptr, m_client.data());
            dlg.setUserAccountStore(&users);
            const QImage image = onDesktop(dlg);
            // The form side of the panel is white, the artwork side green.
            QVERIFY(isWhite(image.pixel(20 + 20 + 330 + 200, 20 + 20 + 300)));
            QVERIFY(qGreen(image.pixel(20 + 20 + 30, 20 + 20 + 30)) >
                    qRed(image.pixel(20 + 20 + 30, 20 + 20 + 30)) + 40);
            save(image, QStringLiteral("login_") + suffix);

            child<QLineEdit>(&dlg, "passwordEdit")->setText(QStringLiteral("wrong"));
            child<QPushButton>(&dlg, "btnLogin")->click();
            save(onDesktop(dlg), QStringLiteral("login_error_") + suffix);
        }
        {
            LoginSettingDialog dlg(nullptr, false);
            save(onDesktop(dlg), QStringLiteral("login_setting_") + suffix);
        }
        {
            MsgDlg dlg(
                QCoreApplication::translate("MessageDistance", "NetWork Error"),
                QCoreApplication::translate("MessageDistance", "传输文件端口连接发生错误！"));
            save(onDesktop(dlg), QStringLiteral("msgdlg_") + suffix);
        }
        {
            DialogConfirm dlg(nullptr, QStringLiteral("Close All Windows"),
                              QStringLiteral("Confirm to close all windows"));
            save(onDesktop(dlg), QStringLiteral("confirm_") + suffix);
        }
        {
            RenameDialog dlg(QStringLiteral("Input 3"));
            save(onDesktop(dlg), QStringLiteral("rename_") + suffix);
        }
    }
};

QTEST_MAIN(TestLoginScreenshots)
#include "tst_loginscreenshots.moc"
