#pragma once

#include <QObject>
#include <QVector>

class QTabWidget;
class QWidget;
struct WidgetForms;

/// Every page but the first waits in a hidden holder until its tab is first opened: laying out
/// five hidden pages, and polishing them under the content's style sheet, was a large part of
/// the start-up. The holder is marked polished while still empty, so showing the window does not
/// reach into it, and the pages are built straight into it, so none is restyled on the way. They
/// stay children of the window, so they are found by name as before; their tabs hold empty
/// places, named by the form, until then.
class ParkedPages : public QObject
{
    Q_OBJECT

public:
    /// Builds the waiting pages' form into a holder under `window`.
    ParkedPages(WidgetForms *ui, QWidget *window);

    /// The holder the waiting pages' form was built in (for retranslating it).
    QWidget *holder() const { return m_holder; }

private:
    void attach(int index);

    QTabWidget *m_tabs;
    QWidget *m_holder;
    QVector<QWidget *> m_pages; // by tab index; null once attached
};
