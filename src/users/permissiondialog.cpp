#include "permissiondialog.h"

#include "permissionlist.h"
#include "permissionstore.h"
#include "ui_permissiondialog.h"
#include "uikit/dialogconfirm3btn.h"
#include "uikit/msgdlg.h"
#include "uikit/svgcheckbox.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
// Check box label of each function index.
const char *const FunctionLabels[PermissionList::FunctionCount] = {
    QT_TRANSLATE_NOOP("PermissionDialog", "Splicing\nSetting"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Splicing\nWall"),
    QT_TRANSLATE_NOOP("PermissionDialog", "OSD"),
    QT_TRANSLATE_NOOP("PermissionDialog", "EDID"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Volume"),
    QT_TRANSLATE_NOOP("PermissionDialog", "HDCP"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Splice"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Resolution"),
    QT_TRANSLATE_NOOP("PermissionDialog", "No Signal\nOutput"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Scaling\nMode"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Switch\nLayout"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Plan\nOperation"),
    QT_TRANSLATE_NOOP("PermissionDialog", "No Signal\nInput"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Graphics\nTest"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Graphics\nTest"),
    QT_TRANSLATE_NOOP("PermissionDialog", "NetWork"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Caption"),
    QT_TRANSLATE_NOOP("PermissionDialog", "User"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Bezel"),
    QT_TRANSLATE_NOOP("PermissionDialog", "DHCP"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Login-Free\nOption"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Version\nInfomation"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Video\nSwitch"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Audio\nSwitch"),
    QT_TRANSLATE_NOOP("PermissionDialog", "HDMI Audio\nSwitch"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Infared\nSwitch"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Close/Open\nOutput"),
    QT_TRANSLATE_NOOP("PermissionDialog", "Pause/Play\nOutput"),
};

constexpr int FunctionsPerRow = 5;

// Entry i of a stored port list overwrites position i; entries past the ports are ignored.
void overwrite(QList<bool> *ports, const QString &text)
{
    const QMap<int, bool> stored = PermissionList::parse(text, 0);
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        if (it.key() < ports->size())
            (*ports)[it.key()] = it.value();
    }
}

QList<bool> statesOf(const QList<QCheckBox *> &boxes, int count)
{
    QList<bool> states;
    for (int i = 0; i < count; ++i)
        states.append(i < boxes.size() ? boxes.at(i)->isChecked() : true);
    return states;
}

void setStates(const QList<QCheckBox *> &boxes, const QList<bool> &states)
{
    for (int i = 0; i < boxes.size() && i < states.size(); ++i)
        boxes.at(i)->setChecked(states.at(i));
}
} // namespace

PermissionDialog::PermissionDialog(const QString &id, const QString &userName,
                                   PermissionStore *permissions, QWidget *parent)
    : FramelessDialog(parent), m_ui(new Ui::PermissionDialog), m_id(id), m_userName(userName),
      m_permissions(permissions)
{
    m_ui->setupUi(this);
    setModal(true);
    applyShadow(m_ui->widget_bg, 25);
    m_ui->titleLabel->setTextFormat(Qt::PlainText);
    m_ui->titleLabel->setText(tr("%1  User: %2").arg(m_ui->titleLabel->text(), userName));

    buildFunctionGroup(SettingPageGroup, tr("Setting Page"), tr("All (Setting Page)"),
                       {15, 16, 17, 18, 19, 20, 21});
    buildFunctionGroup(MatrixSignalSwitchGroup, tr("Matrix Signal Switch"),
                       tr("All (Matrix Signal Switch)"), {22, 23, 24, 25});
    buildFunctionGroup(MatrixEntryMenuGroup, tr("Matrix Entry Menu"), tr("All (Matrix Menu)"),
                       {6, 7, 8, 9, 10, 11, 12, 13, 26, 27});
    buildFunctionGroup(SignalEntryMenuGroup, tr("Signal Entry Menu"), tr("All (Signal Menu)"),
                       {2, 3, 4, 5, 14});
    // The wall model's own name, the same in every language.
    buildFunctionGroup(WallGroup, QStringLiteral("CVN0409"), QStringLiteral("All (CVN0409)"),
                       {0, 1});
    m_ui->lyt_functionGroups->addStretch(1);

    m_inputBoxes = buildPortGroup(InputGroup, tr("HDMI Input Port"), tr("All (HDMI Input)"),
                                  tr("Input %1"), PermissionList::InputCount);
    m_outputBoxes = buildPortGroup(OutputGroup, tr("HDMI Output Port"), tr("All (HDMI Output)"),
                                   tr("Output %1"), PermissionList::OutputCount);
    m_audioBoxes = buildPortGroup(AudioGroup, tr("Audio Signal Port"), tr("All (Audio Signal)"),
                                  tr("Audio %1"), PermissionList::AudioCount);
    m_analogBoxes = buildPortGroup(AnalogGroup, tr("Analog Audio Port"), tr("All (Analog Port)"),
                                   tr("Analog %1"), PermissionList::AnalogCount);
    m_ui->lyt_portGroups->addStretch(1);
    // The boxes joined the Tab order after the form's Apply button, which reads last. Qt leaves
    // an order alone when it only wraps around the window, so Apply steps in among them first.
    setTabOrder(m_inputBoxes.constFirst(), m_ui->btnApply);
    setTabOrder(m_analogBoxes.constLast(), m_ui->btnApply);
    adjustSize();

    loadPermissions();
}

PermissionDialog::~PermissionDialog()
{
    delete m_ui;
}

QList<QCheckBox *> PermissionDialog::portBoxes(int kind) const
{
    switch (kind) {
    case 0:
        return m_inputBoxes;
    case 1:
        return m_outputBoxes;
    case 2:
        return m_audioBoxes;
    case 3:
        return m_analogBoxes;
    default:
        return {};
    }
}

void PermissionDialog::buildFunctionGroup(Group group, const QString &heading,
                                          const QString &allText, const QList<int> &indexes)
{
    QStringList texts;
    for (int index : indexes)
        texts.append(tr(FunctionLabels[index]));
    const QList<QCheckBox *> boxes =
        addGroup(group, m_ui->lyt_functionGroups, heading, allText, texts, FunctionsPerRow);
    for (int i = 0; i < indexes.size(); ++i)
        m_functionBoxes.insert(indexes.at(i), boxes.at(i));
}

QList<QCheckBox *> PermissionDialog::buildPortGroup(Group group, const QString &heading,
                                                    const QString &allText, const QString &boxText,
                                                    int count)
{
    QStringList texts;
    for (int port = 1; port <= count; ++port)
        texts.append(boxText.arg(port));
    // Eight ports sit four to a row, nine five to a row.
    return addGroup(group, m_ui->lyt_portGroups, heading, allText, texts, count % 4 == 0 ? 4 : 5);
}

QList<QCheckBox *> PermissionDialog::addGroup(Group group, QVBoxLayout *column,
                                              const QString &heading, const QString &allText,
                                              const QStringList &boxTexts, int perRow)
{
    auto *frame = new QFrame(m_ui->wid_groups);
    frame->setProperty("permissionGroup", true);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(12, 8, 12, 10);
    layout->setSpacing(8);

    auto *header = new QHBoxLayout;
    auto *title = new QLabel(heading, frame);
    title->setProperty("groupHeading", true);
    header->addWidget(title);
    header->addStretch(1);
    auto *all = new SvgCheckBox(allText, frame);
    all->setProperty("allBox", true);
    all->setCursor(Qt::PointingHandCursor);
    header->addWidget(all);
    layout->addLayout(header);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(6);
    QList<QCheckBox *> boxes;
    for (int i = 0; i < boxTexts.size(); ++i) {
        auto *box = new SvgCheckBox(boxTexts.at(i), frame);
        box->setCursor(Qt::PointingHandCursor);
        // Two-line labels need two lines of room; the box's own hint counts one.
        const int lines = boxTexts.at(i).count(QLatin1Char('\n')) + 1;
        if (lines > 1) {
            box->ensurePolished();
            box->setMinimumHeight(box->fontMetrics().lineSpacing() * lines + 4);
        }
        grid->addWidget(box, i / perRow, i % perRow);
        connect(box, &QCheckBox::toggled, this, [this, group] { syncAllBox(group); });
        boxes.append(box);
    }
    for (int c = 0; c < perRow; ++c)
        grid->setColumnStretch(c, 1);
    layout->addLayout(grid);
    column->addWidget(frame);

    m_groups[group].all = all;
    m_groups[group].boxes = boxes;
    connect(all, &QCheckBox::clicked, this, [this, group] { toggleGroup(group); });
    return boxes;
}

void PermissionDialog::toggleGroup(int group)
{
    const QList<QCheckBox *> boxes = m_groups.value(group).boxes;
    bool allSet = true;
    for (const QCheckBox *box : boxes)
        allSet = allSet && box->isChecked();
    for (QCheckBox *box : boxes)
        box->setChecked(!allSet);
    syncAllBox(group);
}

void PermissionDialog::syncAllBox(int group)
{
    // The "All" box shows whether the whole group is set; clicking it applies the group rule.
    const BoxGroup g = m_groups.value(group);
    if (!g.all)
        return;
    bool allSet = !g.boxes.isEmpty();
    for (const QCheckBox *box : g.boxes)
        allSet = allSet && box->isChecked();
    g.all->setChecked(allSet);
}

void PermissionDialog::loadPermissions()
{
    QList<bool> input, output, audio, analog;
    for (int i = 0; i < PermissionList::InputCount; ++i)
        input.append(true);
    for (int i = 0; i < PermissionList::OutputCount; ++i)
        output.append(true);
    for (int i = 0; i < PermissionList::AudioCount; ++i)
        audio.append(true);
    for (int i = 0; i < PermissionList::AnalogCount; ++i)
        analog.append(true);
    QMap<int, bool> functions;

    bool numeric = false;
    const int id = m_id.toInt(&numeric, 10);
    PermissionRecord record;
    if (numeric && PermissionStore::readPermissions(id, &record)) {
        overwrite(&input, record.input);
        overwrite(&output, record.output);
        overwrite(&audio, record.audio);
        overwrite(&analog, record.analog);
        functions = PermissionList::parse(record.functions, 0);
    }

    setStates(m_inputBoxes, input);
    setStates(m_outputBoxes, output);
    setStates(m_audioBoxes, audio);
    setStates(m_analogBoxes, analog);
    // A function the record does not mention is allowed at login, so it is shown allowed:
    // showing it denied would make a plain Apply take it away.
    for (auto it = m_functionBoxes.cbegin(); it != m_functionBoxes.cend(); ++it)
        it.value()->setChecked(functions.value(it.key(), true));
}

bool PermissionDialog::apply()
{
    bool numeric = false;
    const int id = m_id.toInt(&numeric, 10);
    if (!m_permissions || !numeric)
        return false;

    QList<bool> functions;
    for (int index = 0; index < PermissionList::FunctionCount; ++index) {
        const QCheckBox *box = m_functionBoxes.value(index);
        functions.append(box ? box->isChecked() : true);
    }
    return m_permissions->savePermissions(
        id, PermissionList::join(statesOf(m_inputBoxes, PermissionList::InputCount)),
        PermissionList::join(statesOf(m_outputBoxes, PermissionList::OutputCount)),
        PermissionList::join(statesOf(m_audioBoxes, PermissionList::AudioCount)),
        PermissionList::join(statesOf(m_analogBoxes, PermissionList::AnalogCount)),
        PermissionList::join(functions));
}

void PermissionDialog::warnSaveFailed()
{
    MsgDlg message(tr("Warning"), tr("The permissions could not be saved!"), this);
    message.exec();
}

void PermissionDialog::on_btnApply_clicked()
{
    if (!apply())
        warnSaveFailed();
}

void PermissionDialog::on_btnClose_clicked()
{
    DialogConfirm3Btn confirm(this, tr("Quit Permission Management"),
                              tr("Apply the latest changes?"));
    confirm.resize(confirm.width() * 3 / 4, confirm.height() * 3 / 4);
    switch (confirm.exec()) {
    case DialogConfirm3Btn::Yes:
        // Changes that could not be stored keep the dialog open rather than vanish.
        if (!apply()) {
            warnSaveFailed();
            return;
        }
        done(1);
        return;
    case DialogConfirm3Btn::No:
        done(0);
        return;
    default:
        return;
    }
}

void PermissionDialog::reject()
{
    on_btnClose_clicked();
}
