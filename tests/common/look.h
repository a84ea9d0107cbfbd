#pragma once

// What an operator would see of a widget, as text kept under tests/looks: each shown widget's
// place, state, cursor and style, the tables' cells, the menus' entries, and what the project's
// own widgets paint, and a window's keyboard order. A change shows as its first differing lines;
// CORVANE_LOOKS_UPDATE=1 keeps the looks as they are now, for git diff to show whole.
#include <QtTest>
#include <QtWidgets>

inline QString quoted(const QString &text)
{
    return " \"" + text + '"';
}
inline QString sum(const QImage &image) // in a format whose rows have no padding
{
    const QImage i = image.convertToFormat(QImage::Format_ARGB32);
    return QString::number(
        qChecksum(reinterpret_cast<const char *>(i.bits()), uint(i.sizeInBytes())));
}
inline QString place(const QRect &r)
{
    return QString::asprintf(" %d,%d %dx%d", r.x(), r.y(), r.width(), r.height());
}

/// Records what is painted: each shape by its bounds, in the pen and brush of the moment.
class PaintLog : public QPaintEngine, public QPaintDevice
{
public:
    QStringList ops;
    explicit PaintLog(QSize size) : QPaintEngine(AllFeatures), m_size(size) {}
    QPaintEngine *paintEngine() const override { return const_cast<PaintLog *>(this); }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState &s) override
    {
        m_state.clear();
        QDebug(&m_state).nospace() << s.pen() << s.brush();
        m_transform = s.transform();
    }
    void drawPath(const QPainterPath &path) override { add("path", path.boundingRect()); }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode) override
    {
        add("polygon", QPolygonF(QVector<QPointF>(points, points + count)).boundingRect());
    }
    void drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &) override
    {
        add("pixmap " + sum(pm.toImage()), r);
    }
    void drawTextItem(const QPointF &p, const QTextItem &text) override
    {
        add("text" + quoted(text.text()), QRectF(p, QSizeF()));
    }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        return m == PdmWidth                    ? m_size.width()
               : m == PdmHeight                 ? m_size.height()
               : m == PdmDepth                  ? 32
               : m == PdmDevicePixelRatioScaled ? int(devicePixelRatioFScale())
                                                : 96;
    }

private:
    void add(const QString &what, const QRectF &r)
    {
        ops << what + place(m_transform.mapRect(r).toRect()) + ' ' + m_state;
    }
    QSize m_size;
    QString m_state;
    QTransform m_transform;
};

/// What an item carries for the program: its first three user roles.
template <typename Item> QString roles(const Item *item)
{
    QStringList data;
    for (int role = Qt::UserRole; role < Qt::UserRole + 3; ++role)
        data << item->data(role).toString();
    return data.join('/');
}

/// The shown tree under `w`, one line for each widget, table cell, list row, menu entry and
/// painted shape.
inline QStringList lookOf(QWidget *w, int depth = 0)
{
    static const QStringList painted{"CheckPushButton", "OutputWidget0409",     "PlanPushButton",
                                     "SvgCheckBox",     "SingleSplitterWidget", "SvgLabel",
                                     "SwitchControl",   "WidgetSplicingSetting"};
    for (int pass = 0; depth == 0 && pass < 3; ++pass) // a wrapped label's layout takes two
        QCoreApplication::sendPostedEvents();          // what layouts and pages posted lands first
    const QString in(depth + 1, ' '), cls = w->metaObject()->className();
    const QByteArray css = w->styleSheet().toUtf8();
    QString line = cls + '#' + w->objectName() + place(w->geometry()) +
                   (w->isEnabled() ? "" : " off") + (w->hasMouseTracking() ? " tracking" : "") +
                   (w->graphicsEffect() ? " effect" : "") + (w->acceptDrops() ? " drops" : "") +
                   (w->contextMenuPolicy() == Qt::CustomContextMenu ? " menu" : "") +
                   (w->windowModality() ? " modal" : "") +
                   (w->testAttribute(Qt::WA_TransparentForMouseEvents) ? " unclickable" : "") +
                   (w->isWindow() ? " title" + quoted(w->windowTitle()) : QString());
    if (w->font() != (w->parentWidget() ? w->parentWidget()->font() : QApplication::font()))
        line += " font " + w->font().toString();
    if (w->testAttribute(Qt::WA_SetCursor))
        line += " cursor" + QString::number(w->cursor().shape());
    if (!css.isEmpty())
        line += " css" + QString::number(qChecksum(css.constData(), uint(css.size())), 16);
    if (!w->toolTip().isEmpty())
        line += " tip" + quoted(w->toolTip());
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        line +=
            quoted(b->text()) + (b->isChecked() ? " checked" : "") +
            (b->icon().isNull() ? "" : " icon " + sum(b->icon().pixmap(b->iconSize()).toImage()));
    else if (auto *l = qobject_cast<QLabel *>(w))
        line += quoted(l->text()) +
                QString::asprintf(" %x %d %d", int(l->alignment()), l->textFormat(), l->wordWrap());
    else if (auto *e = qobject_cast<QLineEdit *>(w))
        line += quoted(e->text());
    else if (auto *s = qobject_cast<QSlider *>(w))
        line += " at " + QString::number(s->value());
    else if (auto *box = qobject_cast<QGroupBox *>(w))
        line += quoted(box->title());
    else if (auto *bar = qobject_cast<QTabBar *>(w))
        for (int i = 0; i < bar->count(); ++i)
            line += quoted(bar->tabText(i)) + (bar->isTabEnabled(i) ? "" : " off");

    if (auto *c = qobject_cast<QComboBox *>(w)) {
        line += quoted(c->currentText()) + " of";
        for (int i = 0; i < c->count(); ++i)
            line += quoted(c->itemText(i));
    }
    QStringList lines{QString(depth, ' ') + line};
    if (auto *table = qobject_cast<QTableWidget *>(w))
        for (int r = 0; r < table->rowCount(); ++r)
            for (int c = 0; c < table->columnCount(); ++c)
                if (const QTableWidgetItem *item = table->item(r, c))
                    lines << in + QString::asprintf("cell %d,%d ", r, c) + quoted(item->text()) +
                                 ' ' + QString::number(item->flags()) + ' ' + roles(item) +
                                 (item->isSelected() ? " selected" : "");
    if (auto *list = qobject_cast<QListWidget *>(w))
        for (int r = 0; r < list->count(); ++r) {
            const QListWidgetItem *item = list->item(r);
            lines << in + "row" + quoted(item->text()) + ' ' + roles(item) + ' ' +
                         item->foreground().color().name() + (item->isHidden() ? " hidden" : "") +
                         quoted(item->toolTip()) +
                         (item->icon().isNull()
                              ? ""
                              : " icon " + sum(item->icon().pixmap(list->iconSize()).toImage()));
        }
    const std::function<void(QWidget *, const QString &)> entries = [&](QWidget *of,
                                                                        const QString &at) {
        for (QAction *a : of->actions()) {
            lines << at + "action" + quoted(a->text()) + (a->isEnabled() ? "" : " off") +
                         (a->isChecked() ? " checked" : "") + (a->isVisible() ? "" : " hidden");
            if (a->menu())
                entries(a->menu(), at + ' ');
        }
    };
    entries(w, in);
    if (painted.contains(cls)) {
        PaintLog log(w->size());
        w->render(&log, {}, {}, QWidget::RenderFlags());
        for (const QString &op : qAsConst(log.ops))
            lines << in + "| " + op;
    }
    for (QObject *child : w->children())
        if (auto *cw = qobject_cast<QWidget *>(child); cw && !cw->isWindow() && cw->isVisibleTo(w))
            lines << lookOf(cw, depth + 1);
    for (QWidget *f = w->nextInFocusChain(); w->isWindow() && f != w; f = f->nextInFocusChain())
        if (f->isVisibleTo(w) && f->isEnabled() && (f->focusPolicy() & Qt::TabFocus))
            lines << in + "tab " + f->metaObject()->className() + '#' + f->objectName();
    return lines;
}

/// Whether `lines` is the look kept as `name`; the first differences are printed when not.
inline bool looksAsKept(QString name, QStringList lines)
{
    name.replace(QRegularExpression("[^\\w.]+"), "-");
    QFile kept(qEnvironmentVariable("CORVANE_SOURCE_DIR") + "/tests/looks/" + name);
    static const QRegularExpression varying( // the peer's port, the clock and the date
        QStringLiteral("(Port|端口):\\d+|\\d\\d:\\d\\d(:\\d\\d(\\.\\d+)?)?|\\d{4}-\\d\\d-\\d\\d"));
    lines.replaceInStrings(varying, "*").replaceInStrings("\n", "\\n");
#ifdef CORVANE_VERSION
    lines.replaceInStrings(CORVANE_VERSION, "*");
#endif
    const QByteArray now = lines.join('\n').toUtf8() + '\n';
    if (qEnvironmentVariableIntValue("CORVANE_LOOKS_UPDATE"))
        return kept.open(QIODevice::WriteOnly) && kept.write(now);
    const QStringList was = kept.open(QIODevice::ReadOnly)
                                ? QString::fromUtf8(kept.readAll()).split('\n')
                                : QStringList();
    int shown = 0;
    for (int i = 0; i < qMax(was.size() - 1, lines.size()) && shown < 3; ++i)
        if (was.value(i) != lines.value(i) && ++shown)
            qWarning("%s:%d was: %s\n    now: %s", qPrintable(name), i + 1,
                     qPrintable(was.value(i)), qPrintable(lines.value(i)));
    return !shown;
}

#define QVERIFY_LOOK(name, widget) QVERIFY(looksAsKept(name, lookOf(widget)))
