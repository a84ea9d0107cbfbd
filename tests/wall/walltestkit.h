#pragma once

// What the wall's GUI tests share: keyboard choices, drops, window menus, a loopback device.
#include "../protocol/loopbackpeer.h"
#include "protocol/messagedistance.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QTest>

/// The box first shows a neighbour, then one arrow key moves onto the entry, as a user choice.
inline void choose(QComboBox *box, int index)
{
    {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(index > 0 ? index - 1 : 1);
    }
    QTest::keyClick(box, index > 0 ? Qt::Key_Down : Qt::Key_Up);
}

/// A drag of `text` (`typed`: a video input) dropped on `w` at `at`; whether `w` took it.
inline bool dropText(QWidget *w, const QString &text, const QPoint &at, bool typed = false)
{
    QMimeData mime;
    mime.setText(text);
    if (typed)
        mime.setData(QStringLiteral("application/type"), "1");
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(w, &enter);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, {});
    if (enter.isAccepted())
        QApplication::sendEvent(w, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

/// The pop-up menu a right click at `at` on `w` opens, or null.
inline QMenu *openMenu(QWidget *w, const QPoint &at)
{
    QTest::mouseClick(w, Qt::RightButton, Qt::NoModifier, at);
    const auto popup = [] { return qobject_cast<QMenu *>(QApplication::activePopupWidget()); };
    return QTest::qWaitFor(popup) ? popup() : nullptr;
}

/// Right click at `at` on `w` and the menu's entry `text`; false when there is no such entry.
inline bool menuEntry(QWidget *w, const QPoint &at, const QString &text)
{
    const QPointer<QMenu> menu(openMenu(w, at));
    QAction *chosen = nullptr;
    for (QAction *a : menu ? menu->actions() : QList<QAction *>())
        chosen = a->text() == text ? a : chosen;
    if (chosen)
        chosen->trigger(); // may run a modal dialog, during which the menu goes
    if (menu)
        menu->close();
    return chosen;
}

/// The client on a loopback device; what it received since, fenced by a query (no guessed wait).
struct LoopbackLink
{
    LoopbackPeer peer;

    bool connect()
    {
        MessageDistance *client = MessageDistance::instance();
        if (!client->isConnected())
            client->connectToDevice(QStringLiteral("127.0.0.1"), peer.port());
        return QTest::qWaitFor([&] { return client->isConnected() && peer.hasClient(); }, 15000);
    }
    QString received()
    {
        static const QByteArray fence("{param=version}");
        MessageDistance::instance()->getVersion();
        const bool fenced = QTest::qWaitFor([&] { return peer.received().endsWith(fence); });
        const QByteArray got = peer.received();
        peer.clearReceived();
        return QString::fromLatin1(fenced ? got.left(got.size() - fence.size()) : got + "?");
    }
};
