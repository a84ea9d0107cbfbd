// Renders every port dialog in both languages to <build>/screenshots/ for a visual check.
#include "app/appsettings.h"
#include "app/startup.h"
#include "dialogs/cdlgnosignaloutput.h"
#include "dialogs/cdlgscalingmode.h"
#include "dialogs/edidsettingdilog.h"
#include "dialogs/graphicstestdialog.h"
#include "dialogs/titleorosddialog.h"
#include "dialogs/volumnsettingdialog.h"
#include "state/devicestate.h"

#include <QDir>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <memory>

class TestDialogScreenshots : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        configureApplication(); // the application's look: muted placeholders, drop-down lists
        AppSettings::setDataDirectory(m_data.path());
        const QString build = qEnvironmentVariable("CORVANE_BUILD_DIR", QDir::currentPath());
        m_out = QDir(build).filePath(QStringLiteral("screenshots"));
        QVERIFY(QDir().mkpath(m_out));
        DeviceState::instance()->setDeviceType(Dev0809);
        DeviceState::instance()->setVolume({{2, 65}});
    }

    void shoot_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("Chinese") << ":/Chinese"
                                 << "zh";
        QTest::newRow("English") << ":/English"
                                 << "en";
    }

    void shoot()
    {
        QFETCH(QString, catalogue);
        QFETCH(QString, suffix);
        QTranslator translator;
        QVERIFY(translator.load(catalogue));
        qApp->installTranslator(&translator);

        auto *osd = new TitleOrOsdDialog(nullptr, 3);
        osd->setWindowTitle(QStringLiteral("[Input3] ") + osd->windowTitle());
        auto *noSignal = new CDlgnosignaloutput;
        noSignal->setPort(1, 2);
        noSignal->sl_StateUpdate(QStringLiteral(R"({"Chn":1,"Mode":0,"Color":40,120,200})"));
        auto *scaling = new CDlgScalingmode;
        scaling->setPort(1);
        const QList<QPair<QString, QDialog *>> dialogs = {
            {"caption", new TitleOrOsdDialog(nullptr, -1)},
            {"osd", osd},
            {"edid", new EdidSettingDilog(2)},
            {"nosignal", noSignal},
            {"scaling", scaling},
            {"graphicstest", new GraphicsTestDialog(1, true)},
            {"volume", new VolumnSettingDialog(2)},
        };
        for (const auto &entry : dialogs) {
            std::unique_ptr<QDialog> dialog(entry.second);
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
            const QString file =
                QDir(m_out).filePath(QStringLiteral("dialog_%1_%2.png").arg(entry.first, suffix));
            QVERIFY2(dialog->grab().toImage().save(file), qPrintable(file));
        }
        qApp->removeTranslator(&translator);
    }

private:
    QTemporaryDir m_data;
    QString m_out;
};

QTEST_MAIN(TestDialogScreenshots)
#include "tst_dialogscreenshots.moc"
