#include "output/fseq_export_dialog.h"

#include "document/document.h"
#include "output/fseq/fseq_texts.h"
#include "settings/language.h"
#include "settings/prompt.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString text(const char *key, const QString &chinese) { return lookedUpText("FseqDialog", key, chinese); }

} // namespace

FseqExportDialog::FseqExportDialog(const Document &doc, ChannelOrder order, int playSpeed, Prompt &prompt,
                                   QWidget *parent)
    : QDialog(parent), m_doc(doc), m_prompt(prompt)
{
    setObjectName(QStringLiteral("FseqExportDialog"));
    setWindowTitle(text("Title", QStringLiteral("导出 FSEQ 序列")));

    m_file = new QLineEdit(this);
    m_file->setObjectName(QStringLiteral("FseqFile"));
    m_file->setMinimumWidth(320);
    if (!doc.filePath().isEmpty()) {
        const QFileInfo project(doc.filePath());
        m_file->setText(project.dir().filePath(project.completeBaseName() + QStringLiteral(".fseq")));
    }
    m_browse = new QPushButton(text("Browse", QStringLiteral("浏览...")), this);
    m_browse->setObjectName(QStringLiteral("FseqBrowse"));
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(m_browse);

    m_compression = new QComboBox(this);
    m_compression->setObjectName(QStringLiteral("FseqCompression"));
    m_compression->addItem(text("CompressionNone", QStringLiteral("不压缩")), int(FseqCompression::None));
    m_compression->addItem(QStringLiteral("zstd"), int(FseqCompression::Zstd));
    m_compression->addItem(QStringLiteral("zlib"), int(FseqCompression::Zlib));
    m_compression->setCurrentIndex(1);

    m_order = new QComboBox(this);
    m_order->setObjectName(QStringLiteral("FseqOrder"));
    for (const ChannelOrder &o : ChannelOrder::all())
        m_order->addItem(o.name().toUpper());
    m_order->setCurrentText(order.name().toUpper());

    m_step = new QSpinBox(this);
    m_step->setObjectName(QStringLiteral("FseqStep"));
    m_step->setRange(1, 255);
    m_step->setValue(fseqStepForSpeed(playSpeed));
    m_step->setSuffix(QLatin1Char(' ') + text("StepUnit", QStringLiteral("毫秒")));

    auto *form = new QFormLayout;
    form->addRow(text("File", QStringLiteral("文件名")), fileRow);
    form->addRow(text("Compression", QStringLiteral("压缩")), m_compression);
    form->addRow(text("Order", QStringLiteral("通道顺序")), m_order);
    form->addRow(text("Step", QStringLiteral("帧间隔")), m_step);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("FseqMapSummary"));
    m_summary->setWordWrap(true);
    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName(QStringLiteral("FseqChannelMap"));
    m_table->setHorizontalHeaderLabels({text("PortColumn", QStringLiteral("端口")),
                                        text("FirstChannelColumn", QStringLiteral("起始通道")),
                                        text("PixelsColumn", QStringLiteral("像素数"))});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setMinimumHeight(160);

    m_export = new QPushButton(text("Export", QStringLiteral("导出")), this);
    m_export->setObjectName(QStringLiteral("FseqExport"));
    m_export->setDefault(true);
    m_cancel = new QPushButton(lookedUpText("AutoButton", "ButtonCancel", QStringLiteral("取消")), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_export);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(text("ChannelMap", QStringLiteral("通道分配")), this));
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);

    connect(m_browse, &QPushButton::clicked, this, &FseqExportDialog::browse);
    connect(m_export, &QPushButton::clicked, this, &FseqExportDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &FseqExportDialog::reject);
    fillMap();
}

FseqExportOptions FseqExportDialog::options() const
{
    FseqExportOptions o;
    o.compression = FseqCompression(m_compression->currentData().toInt());
    o.order = ChannelOrder::all()[size_t(std::max(0, m_order->currentIndex()))];
    o.stepMs = m_step->value();
    return o;
}

void FseqExportDialog::fillMap()
{
    // The ports and their channels do not depend on the colour order.
    m_map = FseqChannelMap::forProject(m_doc.wiring(), m_doc.rows(), m_doc.cols(), {}, &m_channelsNeeded);
    m_table->setRowCount(0);
    if (!m_map) {
        m_summary->setText(FseqText::tooManyChannels(qint64(m_channelsNeeded)));
        return;
    }
    QString summary = formatText(text("ChannelCount", QStringLiteral("每帧 %d 通道。")), QStringLiteral("每帧 %d 通道。"),
                                 {qint64(m_map->channelCount())});
    if (!m_map->byWiring())
        summary += QLatin1Char(' ') + text("NoWiring", QStringLiteral("没有线路定义：整个网格逐行导出。"));
    m_summary->setText(summary);
    // Players count ports and channels from 1.
    for (const FseqPortSpan &p : m_map->ports()) {
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        m_table->setItem(row, 0, new QTableWidgetItem(QString::number(p.port + 1)));
        m_table->setItem(row, 1, new QTableWidgetItem(p.pixelCount ? QString::number(qint64(p.firstChannel) + 1)
                                                                   : QStringLiteral("-")));
        m_table->setItem(row, 2, new QTableWidgetItem(QString::number(p.pixelCount)));
    }
}

void FseqExportDialog::browse()
{
    const QString chosen = m_prompt.chooseSaveFile(text("Title", QStringLiteral("导出 FSEQ 序列")),
                                                   QStringLiteral("FSEQ (*.fseq)"), m_file->text(),
                                                   QStringLiteral("fseq"));
    if (!chosen.isEmpty()) {
        m_file->setText(chosen);
        m_fromFileDialog = chosen;
    }
}

void FseqExportDialog::accept()
{
    if (m_file->text().trimmed().isEmpty())
        browse();
    const QString chosen = m_file->text().trimmed();
    if (chosen.isEmpty())
        return;
    const QString target = confirmFseqTarget(chosen, m_prompt, chosen == m_fromFileDialog);
    if (target.isEmpty())
        return;
    if (!exportDocumentFseq(m_doc, target, options(), m_prompt, m_progress))
        return;
    m_written = target;
    QDialog::accept();
}
