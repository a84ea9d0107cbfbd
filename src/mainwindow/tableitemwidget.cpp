#include "tableitemwidget.h"

#include "ui_tableitemwidget.h"

#include "uikit/labelclickedintableitem.h"
#include "uikit/svglabel.h"

#include <QBoxLayout>
#include <QEvent>
#include <QStyle>

namespace {
// Per-cell rules, for a look the shared rules do not name (splice group colours and any look a
// caller makes up). Nearer style sheets win, so these override the table's rules.
const char *const cellStyle =
    "QWidget#outportWidget{background:%1;border:%5px solid rgba(51,140,86,128);border-top:none;} "
    "QWidget#outportWidget:disabled { background:rgb(159,159,159); } "
    "QLabel#OutputName{color:%2;font-family:\"Microsoft YaHei\";font-weight:bold;} "
    "QWidget#widget_2{ background:%3;border:%5px solid rgba(51,140,86,128);border-bottom:none;} "
    "QWidget#widget_2:disabled { background:rgb(221,222,219); } "
    "QLabel#InputName{color:%4;font-family:\"Microsoft YaHei\";font-weight:bold;}";

// Only the backgrounds of a named look replaced (a splice group's colour).
const char *const backgroundStyle =
    "QWidget#outportWidget{background:%1;} "
    "QWidget#outportWidget:disabled { background:rgb(159,159,159); } "
    "QWidget#widget_2{ background:%2;} "
    "QWidget#widget_2:disabled { background:rgb(221,222,219); }";

const char *const lookProperty = "cellLook";

const QSize iconSize(20, 20);

struct NamedLook
{
    const char *name;
    CellLook look;
};

const NamedLook namedLooks[] = {
    {"normal", TableItemWidget::normalLook()},
    {"selected", TableItemWidget::selectedLook()},
    {"disabled", TableItemWidget::disabledLook()},
};

QString sharedRules(const char *name, const CellLook &look)
{
    // Same specificity for every look and state: the :disabled rules come last and win.
    // Child combinators, not descendant ones: Qt tests a selector's property before its type,
    // so a descendant rule that fails asks every ancestor up to the window for the property.
    return QStringLiteral(
               "TableItemWidget[%1=\"%2\"]>QWidget#outportWidget{background:%3;"
               "border:%4px solid rgba(51,140,86,128);border-top:none;} "
               "TableItemWidget[%1=\"%2\"]>QWidget#outportWidget>QLabel#OutputName{color:%5;} "
               "TableItemWidget[%1=\"%2\"]>QWidget#widget_2{background:%6;"
               "border:%4px solid rgba(51,140,86,128);border-bottom:none;} "
               "TableItemWidget[%1=\"%2\"]>QWidget#widget_2>QLabel#InputName{color:%7;} ")
        .arg(QLatin1String(lookProperty), QLatin1String(name), look.outputBackground,
             QString::number(look.borderWidth), look.outputText, look.inputBackground,
             look.inputText);
}
} // namespace

// Names are the theme's dark blue-grey on the light panels, and white on its dark panel for the
// selected output, so that they read at 4.5:1 or better on the group colours too.
const CellLook &TableItemWidget::normalLook()
{
    static const CellLook look{QStringLiteral("rgb(240,241,236)"), QStringLiteral("#2c3e50"),
                               QStringLiteral("rgb(249,250,250)"), QStringLiteral("#2c3e50"), 1};
    return look;
}

const CellLook &TableItemWidget::selectedLook()
{
    static const CellLook look{QStringLiteral("#2c3e50"), QStringLiteral("#ffffff"),
                               QStringLiteral("#e8efeb"), QStringLiteral("#2c3e50"), 2};
    return look;
}

const CellLook &TableItemWidget::disabledLook()
{
    static const CellLook look{
        QStringLiteral("rgb(159,159,159)"), QStringLiteral("rgb(240,240,240)"),
        QStringLiteral("rgb(240,240,240)"), QStringLiteral("rgb(159,159,159)"), 1};
    return look;
}

const QString &TableItemWidget::sharedStyleSheet()
{
    static const QString sheet = [] {
        QString rules =
            QStringLiteral("TableItemWidget QLabel#OutputName,TableItemWidget QLabel#InputName{"
                           "font-family:\"Microsoft YaHei\";font-weight:bold;} ");
        for (const NamedLook &named : namedLooks)
            rules += sharedRules(named.name, named.look);
        rules += QStringLiteral(
            "TableItemWidget QWidget#outportWidget:disabled{background:rgb(159,159,159);} "
            "TableItemWidget QWidget#widget_2:disabled{background:rgb(221,222,219);}");
        return rules;
    }();
    return sheet;
}

const char *const TableItemWidget::FrozenIcon = ":/Images/pause_2c3e50.svg";
const char *const TableItemWidget::RunningIcon = ":/Images/play_4caf50.svg";
const char *const TableItemWidget::LinkedIcon = ":/Images/hdmi_4caf50.svg";
const char *const TableItemWidget::UnlinkedIcon = ":/Images/hdmi_2c3e50.svg";
const char *const TableItemWidget::MutedIcon = ":/Images/screenoff_2c3e50.svg";
const char *const TableItemWidget::UnmutedIcon = ":/Images/screenon_4caf50.svg";

TableItemWidget::TableItemWidget(QWidget *parent) : QWidget(parent), m_ui(new Ui::TableItemWidget)
{
    m_ui->setupUi(this);
    m_look = normalLook();

    m_ui->label_play->setSvg(QString::fromLatin1(RunningIcon), iconSize);
    m_ui->label_mute->setSvg(QString::fromLatin1(UnmutedIcon), iconSize);
    m_ui->label_hdmi->setSvg(QString::fromLatin1(UnlinkedIcon), iconSize);
    // The names are fitted again whenever their panel changes width or the style sets the font.
    m_ui->InputName->installEventFilter(this);
    m_ui->OutputName->installEventFilter(this);

    // The click asks for the opposite state; the cell shows it at once and the table's owner
    // sets it back when the operator may not change this output.
    connect(m_ui->label_play, &LabelClickedInTableItem::clicked, this, [this] {
        setFrozen(!m_frozen);
        emit si_click_pause(m_frozen);
    });
    connect(m_ui->label_mute, &LabelClickedInTableItem::clicked, this, [this] {
        setMuted(!m_muted);
        emit si_click_mute(m_muted);
    });
    connect(m_ui->label_lock, &LabelClickedInTableItem::clicked, this, [this] {
        setLocked(!m_locked);
        emit si_click_lock(m_locked);
    });

    setButtonsVisible(false);
    applyStyle();
    retranslate();
}

void TableItemWidget::setRecentChange(const QString &text)
{
    if (text == m_recentChange)
        return;
    m_recentChange = text;
    if (!m_changedMark) {
        if (text.isEmpty())
            return;
        // Over the corner, outside the layout: the names keep their place and width.
        m_changedMark = new QLabel(this);
        m_changedMark->setObjectName(QStringLiteral("changedMark"));
        m_changedMark->setFixedSize(12, 12);
        installEventFilter(this); // to follow the cell's width
        m_changedMark->setStyleSheet(QStringLiteral(
            "QLabel{background:#e67e22;border:2px solid #ffffff;border-radius:6px;}"));
    }
    m_changedMark->setToolTip(text);
    m_changedMark->move(width() - m_changedMark->width() - 6, 6);
    m_changedMark->setVisible(!text.isEmpty());
    m_changedMark->raise();
    showFitted(m_ui->OutputName, m_outputName);
}

void TableItemWidget::setPendingText(const QString &text, bool stale)
{
    if (text == m_pendingText && stale == m_pendingStale)
        return;
    m_pendingText = text;
    m_pendingStale = stale;
    if (text.isEmpty()) {
        if (m_pending)
            m_pending->hide();
        return;
    }
    if (!m_pending) {
        // Made on the first stage only: most cells never show one.
        m_pending = new QLabel(m_ui->widget_2);
        m_pending->setObjectName(QStringLiteral("pendingName"));
        m_pending->setAlignment(Qt::AlignCenter);
        // A long name is cut to the cell, never widens it.
        m_pending->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        m_pending->installEventFilter(this);
        static_cast<QBoxLayout *>(m_ui->widget_2->layout())->insertWidget(1, m_pending);
    }
    // Amber waits for Take; red says another client has changed the output since.
    m_pending->setStyleSheet(
        stale ? QStringLiteral("QLabel{background:#c0392b;color:#ffffff;border-radius:4px;"
                               "font-weight:bold;padding:1px 6px;}")
              : QStringLiteral("QLabel{background:#f0b429;color:#2c3e50;border-radius:4px;"
                               "font-weight:bold;padding:1px 6px;}"));
    showFitted(m_pending, text);
    m_pending->show();
}

TableItemWidget::~TableItemWidget()
{
    delete m_ui;
}

void TableItemWidget::setOutputName(const QString &name)
{
    m_outputName = name;
    showFitted(m_ui->OutputName, name);
}

void TableItemWidget::setInputText(const QString &text)
{
    m_inputText = text;
    showFitted(m_ui->InputName, text);
}

void TableItemWidget::showFitted(QLabel *label, const QString &text)
{
    // Cut at the end, never at both sides: "[n]" leads the text and must stay in sight.
    const QString shown =
        label->fontMetrics().elidedText(text, Qt::ElideRight, label->contentsRect().width());
    if (label->text() != shown)
        label->setText(shown);
    label->setToolTip(label == m_ui->OutputName && !m_recentChange.isEmpty()
                          ? text + QLatin1Char('\n') + m_recentChange
                          : text);
}

bool TableItemWidget::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Resize || type == QEvent::FontChange) {
        if (watched == m_ui->InputName)
            showFitted(m_ui->InputName, m_inputText);
        else if (watched == m_ui->OutputName)
            showFitted(m_ui->OutputName, m_outputName);
        else if (watched == this && m_changedMark)
            m_changedMark->move(width() - m_changedMark->width() - 6, 6);
        else if (watched == m_pending)
            showFitted(m_pending, m_pendingText);
    }
    return QWidget::eventFilter(watched, event);
}

void TableItemWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void TableItemWidget::retranslate()
{
    explainPlay();
    explainMute();
    explainLink();
}

// The icons alone do not say what they show nor what a click does.
void TableItemWidget::explainPlay()
{
    m_ui->label_play->setToolTip(m_frozen ? tr("Picture paused: click to play")
                                          : tr("Picture playing: click to pause"));
}

void TableItemWidget::explainMute()
{
    m_ui->label_mute->setToolTip(m_muted ? tr("Picture off: click to turn it on")
                                         : tr("Picture on: click to turn it off"));
}

void TableItemWidget::explainLink()
{
    m_ui->label_hdmi->setToolTip(m_linked ? tr("Display connected") : tr("No display connected"));
}

void TableItemWidget::setButtonsVisible(bool visible)
{
    m_buttonsVisible = visible;
    m_ui->label_play->setVisible(visible);
    m_ui->label_mute->setVisible(visible);
    m_ui->label_hdmi->setVisible(visible);
    // The standby state is shown through the output menu only; its label stays out of sight.
    m_ui->label_lock->setVisible(false);
}

void TableItemWidget::setFrozen(bool frozen)
{
    m_frozen = frozen;
    m_ui->label_play->setSvgPath(QString::fromLatin1(frozen ? FrozenIcon : RunningIcon));
    explainPlay();
}

void TableItemWidget::setLocked(bool locked)
{
    m_locked = locked;
}

void TableItemWidget::setLinked(bool linked)
{
    m_linked = linked;
    m_ui->label_hdmi->setSvgPath(QString::fromLatin1(linked ? LinkedIcon : UnlinkedIcon));
    explainLink();
}

void TableItemWidget::setMuted(bool muted)
{
    m_muted = muted;
    m_ui->label_mute->setSvgPath(QString::fromLatin1(muted ? MutedIcon : UnmutedIcon));
    explainMute();
}

void TableItemWidget::setCellDisabled(bool disabled)
{
    m_disabled = disabled;
    // Disabling the whole cell greys both panels through the :disabled rules of the style.
    setEnabled(!disabled);
}

void TableItemWidget::setLook(const CellLook &look)
{
    if (look == m_look)
        return;
    m_look = look;
    applyStyle();
}

void TableItemWidget::applyStyle()
{
    // A look the table's shared rules name costs a property and no style sheet of its own, so
    // building and re-parenting the cells stays cheap; other looks fall back to a sheet.
    const NamedLook *named = nullptr;
    for (const NamedLook &candidate : namedLooks) {
        const CellLook &l = candidate.look;
        if (l.outputText == m_look.outputText && l.inputText == m_look.inputText &&
            l.borderWidth == m_look.borderWidth) {
            named = &candidate;
            break;
        }
    }
    QString sheet;
    if (!named) {
        sheet = QString::fromLatin1(cellStyle).arg(m_look.outputBackground, m_look.outputText,
                                                   m_look.inputBackground, m_look.inputText,
                                                   QString::number(m_look.borderWidth));
    } else if (m_look.outputBackground != named->look.outputBackground ||
               m_look.inputBackground != named->look.inputBackground) {
        sheet = QString::fromLatin1(backgroundStyle)
                    .arg(m_look.outputBackground, m_look.inputBackground);
    }

    const QString name = QLatin1String(named ? named->name : "custom");
    const bool renamed = property(lookProperty).toString() != name;
    if (renamed)
        setProperty(lookProperty, name);
    if (styleSheet() != sheet) {
        // Setting a sheet re-polishes the whole cell, the new property included.
        setStyleSheet(sheet);
    } else if (renamed && testAttribute(Qt::WA_WState_Polished)) {
        // Property selectors are matched at polish time only.
        for (QWidget *w :
             {static_cast<QWidget *>(this), m_ui->widget_2, m_ui->outportWidget,
              static_cast<QWidget *>(m_ui->InputName), static_cast<QWidget *>(m_ui->OutputName)}) {
            w->style()->unpolish(w);
            w->style()->polish(w);
        }
        update();
    }
}

LabelClickedInTableItem *TableItemWidget::playLabel() const
{
    return m_ui->label_play;
}

LabelClickedInTableItem *TableItemWidget::muteLabel() const
{
    return m_ui->label_mute;
}

LabelClickedInTableItem *TableItemWidget::lockLabel() const
{
    return m_ui->label_lock;
}
