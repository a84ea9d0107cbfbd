// Renders the login windows and the kit's dialogs offscreen, in English and in Chinese, to
// <build>/screenshots/ so that anyone can look at what the operator sees.
#include "../common/datadirfixture.h"
#include "app/logindialog.h"
#include "app/loginsettingdialog.h"
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

class TestLoginScreenshots : public QObject
{
    Q_OBJECT

private:
    DataDirFixture m_fx;
    QString m_outDir;
    QTranslator m_translator;
    QScopedPointer<MessageDistance> m_client;

    // Saves the window as it stands on a plain desktop, shadow included.
    void shoot(QWidget &window, const QString &name, QImage *kept = nullptr)
    {
        window.show();
        QCoreApplication::processEvents();
        const QImage shot = window.grab().toImage();
        QImage desktop(shot.size() + QSize(40, 40), QImage::Format_RGB32);
        desktop.fill(QColor(0xe4, 0xe9, 0xec));
        QPainter painter(&desktop);
        painter.drawImage(20, 20, shot);
        painter.end();
        const QString path = m_outDir + QLatin1Char('/') + name + QStringLiteral(".png");
        if (kept)
            *kept = desktop;
        QVERIFY2(desktop.save(path), qPrintable(path));
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

    // The row name is the suffix of the files.
    void windows_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::newRow("en") << ":/English";
        QTest::newRow("zh_CN") << ":/Chinese";
    }

    void windows()
    {
        QFETCH(QString, catalogue);
        const QString suffix = QLatin1String(QTest::currentDataTag());
        QCoreApplication::removeTranslator(&m_translator);
        QVERIFY(m_translator.load(catalogue));
        QVERIFY(QCoreApplication::installTranslator(&m_translator));
        const auto kit = [&](QWidget &&window, const char *name) {
            shoot(window, QLatin1String(name) + suffix);
        };

        UserAccountStore users;
        LoginDialog dlg(nullptr, m_client.data());
        dlg.setUserAccountStore(&users);
        QImage image;
        shoot(dlg, QStringLiteral("login_") + suffix, &image);
        // The form side of the panel is white, the artwork side green.
        const QColor form = image.pixelColor(20 + 20 + 330 + 200, 20 + 20 + 300);
        QVERIFY(form.red() > 250 && form.green() > 250 && form.blue() > 250);
        const QColor art = image.pixelColor(20 + 20 + 30, 20 + 20 + 30);
        QVERIFY(art.green() > art.red() + 40);
        child<QLineEdit>(&dlg, "passwordEdit")->setText(QStringLiteral("wrong"));
        child<QPushButton>(&dlg, "btnLogin")->click();
        shoot(dlg, QStringLiteral("login_error_") + suffix);

        kit(LoginSettingDialog(nullptr, false), "login_setting_");
        kit(MsgDlg(QCoreApplication::translate("MessageDistance", "NetWork Error"),
                   QCoreApplication::translate("MessageDistance", "传输文件端口连接发生错误！")),
            "msgdlg_");
        kit(DialogConfirm(nullptr, QStringLiteral("Close All Windows"),
                          QStringLiteral("Confirm to close all windows")),
            "confirm_");
        kit(RenameDialog(QStringLiteral("Input 3")), "rename_");
    }
};

QTEST_MAIN(TestLoginScreenshots)
#include "tst_loginscreenshots.moc"
