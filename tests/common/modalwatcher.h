#pragma once

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

/// Deals with the modal dialogs a slot under test opens: each new modal dialog is handed to
/// the handler (which records it and closes it). Without a handler, it is rejected. Dialogs
/// already open when the watcher starts are left alone.
class ModalWatcher : public QObject
{
public:
    struct Seen
    {
        QString className;
        QString title;
        QString text;
    };
    using Handler = std::function<void(QDialog *)>;

    explicit ModalWatcher(Handler handler = {}) : m_handler(std::move(handler))
    {
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows) {
            if (w->isVisible())
                m_before << w;
        }
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::poll);
        m_timer.start();
    }

    /// A handler that chooses colour in a colour chooser; an invalid one cancels it.
    static Handler chooseColour(const QColor &colour)
    {
        return [colour](QDialog *d) {
            if (auto *chooser = qobject_cast<QColorDialog *>(d))
                chooser->setCurrentColor(colour);
            colour.isValid() ? d->accept() : d->reject();
        };
    }

    QList<Seen> seen() const { return m_seen; }
    int count() const { return m_seen.size(); }
    /// Each dialog seen as "class|title|text".
    QStringList lines() const
    {
        QStringList all;
        for (const Seen &s : m_seen)
            all << s.className + '|' + s.title + '|' + s.text;
        return all;
    }

private:
    void poll()
    {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog == m_last || m_before.contains(dialog))
            return;
        m_last = dialog;
        Seen s;
        s.className = QString::fromLatin1(dialog->metaObject()->className());
        if (auto *title = dialog->findChild<QLabel *>(QStringLiteral("lb_title")))
            s.title = title->text();
        if (auto *content = dialog->findChild<QLabel *>(QStringLiteral("lb_content")))
            s.text = content->text();
        m_seen << s;
        if (m_handler)
            m_handler(dialog);
        else
            dialog->reject();
    }

    Handler m_handler;
    QTimer m_timer;
    QPointer<QDialog> m_last;
    QList<QWidget *> m_before;
    QList<Seen> m_seen;
};

/// The named child of parent; a missing one ends the test run.
template <typename T> T *child(QWidget *parent, const QString &name)
{
    T *w = parent->findChild<T *>(name);
    if (!w)
        qFatal("no child %s", qPrintable(name));
    return w;
}
