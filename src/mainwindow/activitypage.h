#pragma once

#include "state/activitytext.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

/// The activity log's page: every change to the device, newest first, filtered by port, kind,
/// who and time, and exported as CSV. Reads project.db when shown and when new entries are
/// written while it is on screen.
class ActivityPage : public QWidget
{
    Q_OBJECT

public:
    explicit ActivityPage(QWidget *parent = nullptr);

    /// Reads the log again with the filters set.
    void reload();
    /// New entries were written: shown at once when the page is on screen.
    void entriesRecorded();
    /// Writes what the filters select to `path`; false with the reason in `error`.
    bool exportTo(const QString &path, QString *error);
    /// Null until the page is first shown.
    QTableWidget *table() const { return m_table; }

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void build();
    void retranslate();
    void exportCsv();
    QList<ActivityEntry> select(int limit, bool *ok) const;

    QSpinBox *m_port = nullptr;
    QComboBox *m_kind = nullptr;
    QLineEdit *m_who = nullptr;
    QCheckBox *m_othersOnly = nullptr;
    QComboBox *m_period = nullptr;
    QDateTimeEdit *m_from = nullptr;
    QDateTimeEdit *m_to = nullptr;
    QLabel *m_status = nullptr;
    QTableWidget *m_table = nullptr;
    QWidget *m_filters = nullptr;
    QList<QLabel *> m_captions;
};
