#include "shell/new_grid_dialog.h"

#include "settings/language.h"
#include "settings/prompt.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

struct LabelText
{
    const char *key;
    const char *chinese;
};

const LabelText kLabels[] = {
    {"Label1", "行数"}, {"Label2", "列数"}, {"Label3", "网格宽"},
    {"Label4", "网格高"}, {"Label5", "模式"}, {"Label6", "基色数"},
};

QString label(int i)
{
    return captionText("NFLabel", kLabels[i].key, QString::fromUtf8(kLabels[i].chinese));
}

} // namespace

NewGridDialog::NewGridDialog(const GridGeometry &current, Prompt &prompt, Confirm confirm, QWidget *parent)
    : QDialog(parent), m_prompt(prompt), m_confirm(std::move(confirm))
{
    setObjectName(QStringLiteral("NewGridDialog"));
    // The dialog is drawn with Chinese texts; English takes its title from
    // the language file, traditional converts the Chinese one.
    setWindowTitle(Language::code() == Language::Chinese
                       ? QStringLiteral("新建网格")
                       : captionText("NFTitle", "Title", QStringLiteral("新建网格文件")));

    const NewGridValues v = newGridValuesFrom(current);
    const int start[4] = {v.rows, v.cols, v.celWidth, v.celHeight};
    // Signed whole numbers; the check on confirm refuses 0 and below.
    static const QRegularExpression signedInteger(QStringLiteral("-?[0-9]{0,9}"));
    auto *grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        m_edits[i] = new QLineEdit(QString::number(start[i]), this);
        m_edits[i]->setValidator(new QRegularExpressionValidator(signedInteger, m_edits[i]));
        m_edits[i]->setMinimumWidth(90);
        grid->addWidget(new QLabel(label(i), this), i, 0);
        grid->addWidget(m_edits[i], i, 1);
    }
    m_edits[0]->setObjectName(QStringLiteral("rows"));
    m_edits[1]->setObjectName(QStringLiteral("cols"));
    m_edits[2]->setObjectName(QStringLiteral("cellWidth"));
    m_edits[3]->setObjectName(QStringLiteral("cellHeight"));

    m_mode = new QComboBox(this);
    m_mode->addItem(captionText("NFComboBox", "ComboBox1Item0", QStringLiteral("普通程序")));
    m_mode->addItem(captionText("NFComboBox", "ComboBox1Item1", QStringLiteral("渐变程序")));
    m_mode->setCurrentIndex(v.scanModeIndex >= 0 && v.scanModeIndex < 2 ? v.scanModeIndex : 1);
    m_baseColours = new QComboBox(this);
    m_baseColours->addItem(captionText("NFComboBox", "ComboBox2Item0", QStringLiteral("单色")));
    m_baseColours->addItem(captionText("NFComboBox", "ComboBox2Item1", QStringLiteral("双色")));
    m_baseColours->addItem(captionText("NFComboBox", "ComboBox2Item2", QStringLiteral("三色")));
    m_baseColours->setCurrentIndex(v.baseColourIndex >= 0 && v.baseColourIndex < 3 ? v.baseColourIndex : 2);
    grid->addWidget(new QLabel(label(4), this), 4, 0);
    grid->addWidget(m_mode, 4, 1);
    grid->addWidget(new QLabel(label(5), this), 5, 0);
    grid->addWidget(m_baseColours, 5, 1);

    m_ok = new QPushButton(captionText("AutoButton", "ButtonConfirm", QStringLiteral("确定")), this);
    m_cancel = new QPushButton(captionText("AutoButton", "ButtonCancel", QStringLiteral("取消")), this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &NewGridDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &NewGridDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

NewGridValues NewGridDialog::values() const
{
    NewGridValues v;
    int *fields[4] = {&v.rows, &v.cols, &v.celWidth, &v.celHeight};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const int n = m_edits[i]->text().toInt(&ok);
        *fields[i] = ok ? n : 0;
    }
    v.scanModeIndex = m_mode->currentIndex();
    v.baseColourIndex = m_baseColours->currentIndex();
    return v;
}

void NewGridDialog::accept()
{
    const QString error = m_confirm ? m_confirm(values()) : QString();
    if (!error.isEmpty()) {
        m_prompt.inform(error, PromptIcon::Error);
        return;
    }
    QDialog::accept();
}
