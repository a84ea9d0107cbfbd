#include "activitypage.h"

#include "storage/activitystore.h"
#include "storage/projectdatabase.h"
#include "uikit/msgdlg.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QTableWidget>

namespace {

// Stored kinds, in the order the filter offers them.
const char *const Kinds[] = {
    QT_TRANSLATE_NOOP("ActivityPage", "video"),    QT_TRANSLATE_NOOP("ActivityPage", "audio"),
    QT_TRANSLATE_NOOP("ActivityPage", "infrared"), QT_TRANSLATE_NOOP("ActivityPage", "plan"),
    QT_TRANSLATE_NOOP("ActivityPage", "splice"),   QT_TRANSLATE_NOOP("ActivityPage", "setting")};
// Hours back for each period; 0 for the range given by hand.
const int PeriodHours[] = {1, 24, 24 * 7, 24 * ActivityStore::KeepDays, 0};
constexpr int ShownRows = 5000;
constexpr int ExportedRows = 10000000;

} // namespace

ActivityPage::ActivityPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("activityPage"));
}

// Built when first shown: most sessions never open the page, and the window starts sooner.
void ActivityPage::build()
{
    if (m_table)
        return;
    m_filters = new QWidget(this);
    auto *filters = new QVBoxLayout(m_filters);
    filters->setContentsMargins(0, 0, 0, 0);
    m_port = new QSpinBox(m_filters);
    m_port->setObjectName(QStringLiteral("activityPort"));
    m_port->setRange(0, 999);
    m_kind = new QComboBox(m_filters);
    m_kind->setObjectName(QStringLiteral("activityKind"));
    m_who = new QLineEdit(m_filters);
    m_who->setObjectName(QStringLiteral("activityWho"));
    m_who->setClearButtonEnabled(true);
    m_othersOnly = new QCheckBox(m_filters);
    m_othersOnly->setObjectName(QStringLiteral("activityOthers"));
    m_period = new QComboBox(m_filters);
    m_period->setObjectName(QStringLiteral("activityPeriod"));
    m_from = new QDateTimeEdit(QDateTime::currentDateTime().addDays(-1), m_filters);
    m_to = new QDateTimeEdit(QDateTime::currentDateTime(), m_filters);
    for (QDateTimeEdit *edit : {m_from, m_to}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
        edit->setEnabled(false);
    }
    auto *refresh = new QPushButton(m_filters);
    refresh->setObjectName(QStringLiteral("activityRefresh"));
    auto *exportButton = new QPushButton(m_filters);
    exportButton->setObjectName(QStringLiteral("activityExport"));

    // Two rows, each caption before its field: what to look for, then when.
    QWidget *fields[] = {m_port, m_kind, m_who, m_period, m_from, m_to};
    QHBoxLayout *rows[] = {new QHBoxLayout, new QHBoxLayout};
    for (int i = 0; i < 6; ++i) {
        auto *caption = new QLabel(m_filters);
        caption->setBuddy(fields[i]);
        m_captions << caption;
        rows[i / 3]->addWidget(caption);
        rows[i / 3]->addWidget(fields[i]);
        rows[i / 3]->addSpacing(12);
    }
    m_port->setMinimumWidth(90);
    m_kind->setMinimumWidth(120);
    m_who->setMinimumWidth(180);
    m_period->setMinimumWidth(140);
    rows[0]->addWidget(m_othersOnly);
    rows[0]->addStretch(1);
    rows[1]->addStretch(1);
    rows[1]->addWidget(refresh);
    rows[1]->addWidget(exportButton);
    filters->addLayout(rows[0]);
    filters->addLayout(rows[1]);

    m_table = new QTableWidget(0, 5, this);
    m_table->setObjectName(QStringLiteral("activityTable"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    for (int column = 0; column < 4; ++column)
        m_table->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(4, QHeaderView::Stretch);
    m_table->setAlternatingRowColors(true);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("activityStatus"));
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);

    auto *page = new QVBoxLayout(this);
    page->addWidget(m_filters);
    page->addWidget(m_table, 1);
    page->addWidget(m_status);

    retranslate();
    m_period->setCurrentIndex(3);

    connect(m_period, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this](int i) {
        const bool byHand = PeriodHours[qBound(0, i, 4)] == 0;
        m_from->setEnabled(byHand);
        m_to->setEnabled(byHand);
        reload();
    });
    connect(m_port, QOverload<int>::of(&QSpinBox::valueChanged), this, &ActivityPage::reload);
    connect(m_kind, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ActivityPage::reload);
    connect(m_othersOnly, &QCheckBox::toggled, this, &ActivityPage::reload);
    connect(m_who, &QLineEdit::editingFinished, this, &ActivityPage::reload);
    connect(m_from, &QDateTimeEdit::dateTimeChanged, this, &ActivityPage::reload);
    connect(m_to, &QDateTimeEdit::dateTimeChanged, this, &ActivityPage::reload);
    connect(refresh, &QPushButton::clicked, this, &ActivityPage::reload);
    connect(exportButton, &QPushButton::clicked, this, &ActivityPage::exportCsv);
}

void ActivityPage::retranslate()
{
    const QStringList captions{tr("Port"),   tr("Kind"), tr("Who"),
                               tr("Period"), tr("From"), tr("To")};
    for (int i = 0; i < m_captions.size(); ++i)
        m_captions.at(i)->setText(captions.at(i));
    m_port->setSpecialValueText(tr("All"));
    const int kind = qMax(0, m_kind->currentIndex());
    {
        const QSignalBlocker quiet(m_kind);
        m_kind->clear();
        m_kind->addItem(tr("All"));
        for (const char *k : Kinds)
            m_kind->addItem(tr(k), QString::fromLatin1(k));
        m_kind->setCurrentIndex(kind);
    }
    const int period = qMax(0, m_period->currentIndex());
    {
        const QSignalBlocker quiet(m_period);
        m_period->clear();
        m_period->addItems({tr("Last hour"), tr("Last 24 hours"), tr("Last 7 days"),
                            tr("Last 30 days"), tr("Between…")});
        m_period->setCurrentIndex(period);
    }
    m_who->setPlaceholderText(tr("Anyone"));
    m_othersOnly->setText(tr("Other clients only"));
    findChild<QPushButton *>(QStringLiteral("activityRefresh"))->setText(tr("Refresh"));
    findChild<QPushButton *>(QStringLiteral("activityExport"))->setText(tr("Export CSV…"));
    m_table->setHorizontalHeaderLabels(
        {tr("Time"), tr("Who"), tr("Kind"), tr("Port"), tr("Change")});
}

QList<ActivityEntry> ActivityPage::select(int limit, bool *ok) const
{
    ActivityStore::Filter filter;
    filter.port = m_port->value();
    filter.kind = m_kind->currentData().toString();
    filter.who = m_who->text().trimmed();
    filter.onlyOthers = m_othersOnly->isChecked();
    const int hours = PeriodHours[qBound(0, m_period->currentIndex(), 4)];
    if (hours > 0) {
        filter.from = QDateTime::currentDateTimeUtc().addSecs(-3600LL * hours);
    } else {
        filter.from = m_from->dateTime();
        filter.to = m_to->dateTime().addSecs(59); // the edit shows minutes: the whole minute
    }
    filter.limit = limit;
    return ActivityStore().load(filter, ok);
}

void ActivityPage::reload()
{
    build();
    bool ok = true;
    const QList<ActivityEntry> entries = select(ShownRows, &ok);
    m_table->setUpdatesEnabled(false);
    m_table->setRowCount(entries.size());
    for (int row = 0; row < entries.size(); ++row) {
        const ActivityEntry &e = entries.at(row);
        const QStringList cells{
            e.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")),
            e.byOthers ? tr("another client") : e.user, tr(e.kind.toLatin1().constData()),
            e.port > 0 ? QString::number(e.port) : QString(), e.detail};
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells.at(column));
            if (e.byOthers && column == 1)
                item->setForeground(QColor(QStringLiteral("#b9770e")));
            m_table->setItem(row, column, item);
        }
    }
    m_table->setUpdatesEnabled(true);
    if (!ok)
        m_status->setText(
            tr("The activity log cannot be read:\n%1").arg(ProjectDatabase::lastError()));
    else if (entries.size() >= ShownRows)
        m_status->setText(tr("The newest %1 changes are shown; narrow the filters or export "
                             "them all.")
                              .arg(ShownRows));
    else
        m_status->setText(tr("%1 changes").arg(entries.size()));
}

void ActivityPage::entriesRecorded()
{
    if (isVisible())
        reload();
}

bool ActivityPage::exportTo(const QString &path, QString *error)
{
    build();
    bool ok = true;
    const QList<ActivityEntry> entries = select(ExportedRows, &ok);
    if (!ok) {
        *error = ProjectDatabase::lastError();
        return false;
    }
    // Written aside and renamed: a failed export never leaves half a file under the name.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ActivityStore::toCsv(entries)) < 0 ||
        !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

void ActivityPage::exportCsv()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export the activity log"), QStringLiteral("activity.csv"), tr("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!exportTo(path, &error)) {
        MsgDlg dialog(tr("Warning"), tr("The activity log could not be exported:\n%1").arg(error),
                      window());
        dialog.exec();
        return;
    }
    m_status->setText(tr("Exported to %1").arg(QDir::toNativeSeparators(path)));
}

void ActivityPage::showEvent(QShowEvent *event)
{
    build();
    QWidget::showEvent(event);
    reload();
}

void ActivityPage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && m_table) {
        retranslate();
        if (isVisible())
            reload();
    }
    QWidget::changeEvent(event);
}
