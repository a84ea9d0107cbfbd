#pragma once

// What the wall's GUI tests share: choices made with the keyboard, window menus, and the
// commands a loopback device received.
#include "../protocol/loopbackpeer.h"
#include "protocol/messagedistance.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
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

/// The pop-up menu a right click at `at` on `w` opens, or null.
inline QMenu *openMenu(QWidget *w, const QPoint &at)
{
    QTest::mouseClick(w, Qt::RightButton, Qt::NoModifier, at);
    QMenu *menu = nullptr;
    const auto open = [&] {
        return (menu = qobject_cast<QMenu *>(QApplication::activePopupWidget()));
    };
    return QTest::qWaitFor(open) ? menu : nullptr;
}

/// Right click at `at` on `w` and the menu's entry `text`; false when there is no such entry.
inline bool menuEntry(QWidget *w, const QPoint &at, const QString &text)
{
    const QPointer<QMenu> menu(openMenu(w, at));
    QAction *chosen = nullptr;
    for (QAction *a : menu ? menu->actions() : QList<QAction *>()) {
        if (a->text() == text)
            chosen = a;
    }
    if (chosen)
        chosen->trigger(); // may run a modal dialog, during which the menu goes
    if (menu)
        menu->close();
    return chosen;
}

/// The client connected to a loopback device, and what the device received since the last call,
/// fenced by a query so that "nothing" needs no guessed wait.
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
