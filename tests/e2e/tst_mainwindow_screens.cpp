// Renders the video, audio and setting pages of a window connected to the simulator, in
// English and in Chinese, to <build>/screenshots/ for a person to look at.
#include "../common/windowstart.h"
#include "simprocess.h"

#include "app/appsettings.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/widget.h"
#include "protocol/messagedistance.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

class TestMainWindowScreens : public QObject
{
    Q_OBJECT

private slots:
    void pagesInBothLanguages()
    {
        SimProcess sim;
        QVERIFY(sim.start(QStringLiteral("0809")));
        QTemporaryDir data;
        prepareLoginFreeStart(data.path(), sim.controlPort());
        const AppSettings *settings = AppSettings::instance();

        Widget window;
        QVERIFY(sim.waitForCommand(QStringLiteral("{param=bindinfo}")));
        auto *video = window.findChild<TableWidget *>(QStringLiteral("videoTableWidget"));
        QTRY_VERIFY_WITH_TIMEOUT(video->itemForOutput(1) &&
                                     video->itemForOutput(1)->data(TableWidget::InputRole).toInt() >
                                         0,
                                 5000);
        QTest::qWait(200);

        const QString dir =
            qEnvironmentVariable("CORVANE_BUILD_DIR") + QStringLiteral("/screenshots");
        QVERIFY(QDir().mkpath(dir));
        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        auto *language = window.findChild<QComboBox *>(QStringLiteral("languageComboBox"));
        auto *typeLabel = window.findChild<QLabel *>(QStringLiteral("connectState"));
        const QStringList languageNames{QStringLiteral("zh"), QStringLiteral("en")}; // by index
        const QMap<int, QString> pages{{0, QStringLiteral("video")},
                                       {2, QStringLiteral("audio")},
                                       {4, QStringLiteral("setting")}};
        for (int languageIndex : {1, 0}) {
            language->setCurrentIndex(languageIndex);
            QCOMPARE(settings->language(), languageIndex);
            // The title keeps its connection state across the change of language.
            QCOMPARE(settings->connectionState(), 2);
            QVERIFY(typeLabel->text().contains(QString::number(sim.controlPort())));
            QVERIFY(!typeLabel->text().contains(QLatin1String("connecting")));
            for (auto page = pages.cbegin(); page != pages.cend(); ++page) {
                tabs->setCurrentIndex(page.key());
                QTest::qWait(50);
                const QImage image = window.grab().toImage();
                QVERIFY(!image.isNull());
                const QString file = QStringLiteral("%1/mainwindow-%2-%3.png")
                                         .arg(dir, page.value(), languageNames.at(languageIndex));
                QVERIFY2(image.save(file), qPrintable(file));
            }
        }
        MessageDistance::instance()->closeConnections();
    }
};

QTEST_MAIN(TestMainWindowScreens)
#include "tst_mainwindow_screens.moc"
