#pragma once

// The main window started login-free against the device simulator, as the end-to-end suites
// share it: message boxes noted and closed, drops from the signal list, and what was sent.
#include "../common/windowstart.h"
#include "simprocess.h"

#include "mainwindow/listwidget.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/widget.h"
#include "protocol/messagedistance.h"
#include "uikit/msgdlg.h"

#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

class SimWindowTest : public QObject
{
protected:
    /// What every model is asked first when the window starts.
    const QString StartQueries = QStringLiteral(
        "{param=version} {param=status} {param=inputinfo} {param=netInfo} {param=resolution}");
    std::unique_ptr<QTemporaryDir> m_dataDir;
    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<Widget> m_window;
    QStringList m_messages;
    QTimer m_dialogCloser;
    int m_mark = 0;

    SimWindowTest()
    {
        m_dialogCloser.setInterval(20);
        connect(&m_dialogCloser, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<MsgDlg *>(QApplication::activeModalWidget())) {
                m_messages.append(box->message());
                box->done(0);
            }
        });
    }
    void initWindowTest()
    {
        m_dataDir = std::make_unique<QTemporaryDir>();
        m_sim = std::make_unique<SimProcess>();
        m_messages.clear();
        m_mark = 0;
        m_dialogCloser.start();
    }
    void cleanupWindowTest()
    {
        m_window.reset();
        MessageDistance::instance()->closeConnections();
        m_sim.reset();
        m_dialogCloser.stop();
    }

    /// The simulator of `model` and a data folder pointing at it, logged in as `user`.
    bool start(const QString &model, int type, const QString &user = QStringLiteral("ADMIN"),
               const QStringList &options = {})
    {
        if (!m_dataDir->isValid() || !m_sim->start(model, 0, options))
            return false;
        prepareLoginFreeStart(m_dataDir->path(), m_sim->controlPort());
        AppSettings::instance()->setUserName(user);
        AppSettings::instance()->setType(type);
        return true;
    }
    QString connectionText() const
    {
        return m_window->findChild<QLabel *>(QStringLiteral("connectState"))->text();
    }
    bool waitConnected(int timeoutMs = 5000)
    {
        return QTest::qWaitFor(
            [this] { return connectionText().endsWith(QLatin1String(" connected")); }, timeoutMs);
    }
    /// Opens the window and waits for the link and the query `last` of its start.
    bool openWindow(const QString &last = QStringLiteral("{param=bindinfo}"))
    {
        m_window = std::make_unique<Widget>();
        return waitConnected() && (last.isEmpty() || m_sim->waitForCommand(last));
    }

    ListWidget *list() const
    {
        return m_window->findChild<ListWidget *>(QStringLiteral("listWidget"));
    }
    TableWidget *videoTable() const
    {
        return m_window->findChild<TableWidget *>(QStringLiteral("videoTableWidget"));
    }
    int shownInput(int output) const
    {
        QTableWidgetItem *item = videoTable()->itemForOutput(output);
        return item ? item->data(TableWidget::InputRole).toInt() : -1;
    }
    /// Drags `data` onto `target` at `at`: the entry, then the drop.
    static void drop(QWidget *target, const QMimeData *data, const QPoint &at)
    {
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, offered, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent event(at, offered, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    /// Drops video input `input` of the signal list onto `target` at `at`.
    void dropInput(int input, QWidget *target, const QPoint &at)
    {
        std::unique_ptr<QMimeData> data(
            list()->createDragData(list()->entry(ListWidget::VideoKind, input)));
        drop(target, data.get(), at);
    }
    /// Drops video input `input` onto `output`'s cell of the video table.
    void dropOnOutput(int input, int output)
    {
        TableWidget *table = videoTable();
        dropInput(input, table->viewport(),
                  table->visualItemRect(table->itemForOutput(output)).center());
    }

    /// Commands from here on are what the next sent() reports.
    void mark() { m_mark = m_sim->commands().size(); }
    /// What the window sent since the last mark, joined by spaces; fenced on its own link so
    /// that "nothing" is known without a guessed wait. The test's own queries are left out.
    QString sent()
    {
        static const QString fence = QStringLiteral("{param=fence}");
        MessageDistance::instance()->sendCommand(fence);
        if (!m_sim->waitForCommand(fence, m_mark))
            return QStringLiteral("<no fence>");
        const QStringList all = m_sim->commands();
        const int at = all.indexOf(fence, m_mark);
        QStringList got;
        for (int i = m_mark; i < at; ++i) {
            if (m_sim->clientAt(i) == m_sim->clientAt(at))
                got << all.at(i);
        }
        m_mark = at + 1;
        return got.join(QLatin1Char(' '));
    }
};
