// Renders the pages of a window connected to the simulator, in English and in Chinese, to
// <build>/screenshots/ for a person to look at: the 0809's pages, the pages that differ by model
// and the wall.
#include "../common/windowstart.h"
#include "simprocess.h"

#include "app/appsettings.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/widget.h"
#include "protocol/messagedistance.h"
#include "storage/portnamestore.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"
#include "uikit/msgdlg.h"
#include "wall/inputsignalwidget0409.h"
#include "wall/outputwidget0409.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {
// Saves a picture of `widget` as <build>/screenshots/<name>.png.
void shoot(QWidget *widget, const QString &name)
{
    const QString dir = qEnvironmentVariable("CORVANE_BUILD_DIR") + QStringLiteral("/screenshots");
    QVERIFY(QDir().mkpath(dir));
    const QString file = QStringLiteral("%1/%2.png").arg(dir, name);
    QVERIFY2(widget->grab().toImage().save(file), qPrintable(file));
}
} // namespace

class TestMainWindowScreens : public QObject
{
    Q_OBJECT

    SimProcess m_sim;
    QTemporaryDir m_data;

    /// The simulated `model` and a window of device type `type` once it sent `lastQuery`;
    /// `prepare` runs on the data folder first.
    std::unique_ptr<Widget> start(const QString &model, int type, const QString &lastQuery,
                                  const std::function<bool()> &prepare = {})
    {
        if (!m_sim.start(model))
            return nullptr;
        prepareLoginFreeStart(m_data.path(), m_sim.controlPort());
        AppSettings::instance()->setType(type);
        if (prepare && !prepare())
            return nullptr;
        auto window = std::make_unique<Widget>();
        return m_sim.waitForCommand(lastQuery) ? std::move(window) : nullptr;
    }

private slots:
    void cleanup()
    {
        MessageDistance::instance()->closeConnections();
        m_sim.stop();
    }

    void pagesInBothLanguages()
    {
        // Names longer than their cells: cut at their end, the port number kept.
        const std::unique_ptr<Widget> shown = start("0809", 1, "{param=bindinfo}", [] {
            PortNameStore names;
            return names.savePortName(3, "Room PC With A Long Name For The Left Stage Screen",
                                      InputVideoName) &&
                   names.savePortName(2, "Projector Left Of The Stage Wall Above The Choir",
                                      OutputVideoName);
        });
        QVERIFY(shown);
        Widget &window = *shown;
        const AppSettings *settings = AppSettings::instance();
        auto *video = window.findChild<TableWidget *>(QStringLiteral("videoTableWidget"));
        QTRY_VERIFY_WITH_TIMEOUT(video->itemForOutput(1) &&
                                     video->itemForOutput(1)->data(TableWidget::InputRole).toInt() >
                                         0,
                                 5000);
        QTest::qWait(200);
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
            QVERIFY(typeLabel->text().contains(QString::number(m_sim.controlPort())));
            QVERIFY(!typeLabel->text().contains(QLatin1String("connecting")));
            for (auto page = pages.cbegin(); page != pages.cend(); ++page) {
                tabs->setCurrentIndex(page.key());
                if (page.key() == 0) { // one cell chosen, as before a menu
                    video->setFocus();
                    video->setCurrentItem(video->itemForOutput(5));
                    video->itemForOutput(5)->setSelected(true);
                }
                QTest::qWait(50);
                shoot(&window, QStringLiteral("mainwindow-%1-%2")
                                   .arg(page.value(), languageNames.at(languageIndex)));
            }
            // A message with markup, as a wall plan recall shows it.
            MsgDlg warning(&window);
            warning.setRichText(QCoreApplication::translate("Widget", "Warning"),
                                Widget::wallPlanWarning(true, false, false));
            warning.show();
            QVERIFY(QTest::qWaitForWindowExposed(&warning));
            shoot(&warning, QStringLiteral("message-markup-") + languageNames.at(languageIndex));
        }
    }

    // The pages that differ by model: the multiview page of the 0809-M undivided and divided,
    // each model's audio page with HDMI audio following video and on its own, the About page.
    void modelPagesInBothLanguages_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("lastQuery");
        QTest::newRow("0809") << "0809" << 1 << "{param=bindinfo}";
        QTest::newRow("0809-M") << "0809-M" << 4 << "{param=bindinfo}";
        QTest::newRow("0808-S") << "0808-S" << 3 << "{param=outputinfo}";
        QTest::newRow("0409-S") << "0409-S" << 2 << "{param=Get_Rotate}";
    }

    void modelPagesInBothLanguages()
    {
        QFETCH(QString, model);
        QFETCH(int, type);
        QFETCH(QString, lastQuery);
        const std::unique_ptr<Widget> shown = start(model, type, lastQuery);
        QVERIFY(shown);
        Widget &window = *shown;
        QTest::qWait(300);
        auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        auto *language = window.findChild<QComboBox *>(QStringLiteral("languageComboBox"));
        auto *audioMode = window.findChild<QComboBox *>(QStringLiteral("HdmiAudioComboBox"));
        auto shot = [&](int page, const QString &name, const QString &lang) {
            tabs->setCurrentIndex(page);
            QTest::qWait(50);
            shoot(&window, QStringLiteral("mainwindow-%1-%2-%3").arg(model, name, lang));
        };
        for (int languageIndex : {1, 0}) {
            language->setCurrentIndex(languageIndex);
            const QString lang = languageIndex == 0 ? QStringLiteral("zh") : QStringLiteral("en");
            if (type == 4) {
                for (int layout : {0, 3}) {
                    window.findChild<QPushButton *>(QStringLiteral("btn_splitter_%1").arg(layout))
                        ->click();
                    shot(1, QStringLiteral("multiview%1").arg(layout), lang);
                }
            }
            if (type == 2) {
                shot(2, QStringLiteral("audio"), lang);
            } else {
                // Both audio modes; the device is left following video, as it started.
                for (int mode : {1, 0}) {
                    audioMode->setCurrentIndex(mode);
                    shot(2,
                         mode == 0 ? QStringLiteral("audio-follow") : QStringLiteral("audio-alone"),
                         lang);
                }
            }
            shot(5, QStringLiteral("about"), lang);
        }
    }

    // The wall page with four overlapping windows on a 3x3 and on a 1x9 wall, a window's menu,
    // the splicing setting and the window property, in both languages.
    void wallInBothLanguages()
    {
        const std::unique_ptr<Widget> shown = start("0409-S", 2, "{param=Get_Rotate}");
        QVERIFY(shown);
        Widget &window = *shown;
        auto *canvas = window.findChild<OutputWidget0409 *>(QStringLiteral("widget_out_0409"));
        QVERIFY(canvas);
        // Another operator lays the windows out; the canvas follows the device's reports.
        auto layOut = [&](const QString &vir, const QSize &wall, const QStringList &windows) {
            QVERIFY(m_sim.sendAsOtherClient(QStringLiteral("{param=VIR%1}").arg(vir)));
            QTRY_COMPARE_WITH_TIMEOUT(canvas->virtualSize(), wall, 5000);
            for (const QString &w : windows)
                QVERIFY(m_sim.sendAsOtherClient(QStringLiteral("{param=WindowOpen%1}").arg(w)));
            const int lastX = windows.last().section(QLatin1Char('/'), 3, 3).toInt();
            QTRY_VERIFY_WITH_TIMEOUT(
                canvas->window(4) && canvas->window(4)->currentVirtualRect().x() == lastX, 5000);
            QTest::qWait(100);
        };

        auto *language = window.findChild<QComboBox *>(QStringLiteral("languageComboBox"));
        // Runs `open`, which shows a menu or a modal window, grabs that and closes it.
        auto shotOfPopup = [&](const std::function<void()> &open, const QString &name) {
            bool seen = false;
            QTimer::singleShot(300, this, [&] {
                QWidget *shown = QApplication::activePopupWidget();
                if (!shown)
                    shown = QApplication::activeModalWidget();
                if (!shown)
                    return;
                seen = true;
                shoot(shown, name);
                shown->close();
            });
            open();
            QTRY_VERIFY2_WITH_TIMEOUT(seen, qPrintable(name), 3000);
        };
        for (int languageIndex : {1, 0}) {
            language->setCurrentIndex(languageIndex);
            const QString lang = languageIndex == 0 ? QStringLiteral("zh") : QStringLiteral("en");
            layOut(QStringLiteral("0"), QSize(5760, 3240),
                   {"1/1/1/0/0/3840/2160", "2/2/2/1920/540/2880/1620", "3/3/3/3360/1620/2400/1350",
                    "4/4/4/480/2430/1920/810"});
            shoot(&window, QStringLiteral("wall-3x3-") + lang);

            InputSignalWidget0409 *second = canvas->window(2);
            QVERIFY(second);
            const QPoint inside = second->rect().center();
            shotOfPopup(
                [&] {
                    QContextMenuEvent menu(QContextMenuEvent::Mouse, inside,
                                           second->mapToGlobal(inside));
                    QApplication::sendEvent(second, &menu);
                },
                QStringLiteral("wall-menu-") + lang);
            shotOfPopup([&] { canvas->showWindowProperty(2); },
                        QStringLiteral("wall-property-") + lang);
            shotOfPopup(
                [&] {
                    window.findChild<QPushButton *>(QStringLiteral("btn_splicing_set"))->click();
                },
                QStringLiteral("wall-splicing-") + lang);

            layOut(QStringLiteral("1"), QSize(17280, 1080),
                   {"1/1/1/0/0/5760/1080", "2/2/2/3840/0/5760/1080", "3/3/3/9600/0/3840/1080",
                    "4/4/4/12480/270/3840/810"});
            shoot(&window, QStringLiteral("wall-1x9-") + lang);
        }
    }
};

QTEST_MAIN(TestMainWindowScreens)
#include "tst_mainwindow_screens.moc"
