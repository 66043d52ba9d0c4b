// The FSEQ export dialog: its starting values, the channel map table, the
// file name with its ending and the question before a file is replaced,
// the file it writes, and its texts in the three languages.

#include "document/document.h"
#include "language_test_support.h"
#include "output/fseq_export_dialog.h"
#include "scripted_prompt.h"
#include "settings/language.h"
#include "wired_grid.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A 2 x 3 grid with `frames` frames; port 1 drives row 0 and port 3 row 1.
// Point i of frame f: (10 i + f, 20 + i, 30 + f).
std::unique_ptr<Document> fseqWiredDocument(int frames)
{
    return makeWiredDocument(2, 3, frames, {.ports = {0, 2}, .pointsPerPort = 3}, [](int f, int i) {
        return makeColor(unsigned(10 * i + f), unsigned(20 + i), unsigned(30 + f));
    });
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class FseqExportDialogTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { useBuiltInChineseTexts(m_dir); }
    void cleanup() { restoreDefaultTexts(); }

    void startsFromThePlaySpeedAndShowsTheChannelMap()
    {
        auto doc = fseqWiredDocument(3);
        ScriptedPrompt prompt;
        FseqExportDialog dialog(*doc, *ChannelOrder::parse(QStringLiteral("grb")), 30, prompt);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("导出 FSEQ 序列"));
        QCOMPARE(dialog.stepBox()->value(), 33);
        QCOMPARE(dialog.orderBox()->currentText(), QStringLiteral("GRB"));
        QCOMPARE(dialog.compressionBox()->currentText(), QStringLiteral("zstd"));
        QCOMPARE(dialog.mapSummary()->text(), QStringLiteral("每帧 18 通道。"));

        // Ports 1 to 3: port 2 has no pixels and no channel.
        QTableWidget *t = dialog.mapTable();
        QCOMPARE(t->rowCount(), 3);
        const QStringList expected = {"1", "1", "3", "2", "-", "0", "3", "10", "3"};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                QCOMPARE(t->item(r, c)->text(), expected[r * 3 + c]);
    }

    void projectWithoutWiringSaysItGoesRowByRow()
    {
        auto doc = fseqWiredDocument(1);
        doc->wiring().clear();
        ScriptedPrompt prompt;
        FseqExportDialog dialog(*doc, {}, 20, prompt);
        QCOMPARE(dialog.stepBox()->value(), 50);
        QCOMPARE(dialog.mapSummary()->text(), QStringLiteral("每帧 18 通道。 没有线路定义：整个网格逐行导出。"));
        QCOMPARE(dialog.mapTable()->rowCount(), 0);
    }

    void exportAddsTheEndingAsksBeforeReplacingAndWrites()
    {
        auto doc = fseqWiredDocument(4);
        ScriptedPrompt prompt;
        FseqExportDialog dialog(*doc, {}, 25, prompt);
        const QString target = m_dir.filePath(QStringLiteral("show.fseq"));
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();

        // The file dialog adds the ending itself, so its own question about
        // replacing is asked for the file that will really be written.
        prompt.files = {m_dir.filePath(QStringLiteral("show"))};
        QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
        QCOMPARE(prompt.fileDialogFilters, QStringList{QStringLiteral("FSEQ (*.fseq)")});
        QCOMPARE(prompt.saveDialogSuffixes, QStringList{QStringLiteral("fseq")});
        QCOMPARE(dialog.fileEdit()->text(), target);

        // A name typed without the ending gets it, and the existing file is
        // not replaced without a question.
        dialog.fileEdit()->setText(m_dir.filePath(QStringLiteral("show")));
        dialog.compressionBox()->setCurrentIndex(0);
        dialog.stepBox()->setValue(40);

        prompt.answers = {PromptAnswer::No};
        QTest::mouseClick(dialog.exportButton(), Qt::LeftButton);
        QCOMPARE(prompt.lastText(), QStringLiteral("%1 已存在。要替换它吗？").arg(target));
        QCOMPARE(readAll(target), QByteArrayLiteral("old"));
        QVERIFY(dialog.written().isEmpty());

        prompt.answers = {PromptAnswer::Yes};
        int lastProgress = -1;
        QList<int> progress;
        dialog.setProgress([&](int p) { progress << p; lastProgress = p; });
        QTest::mouseClick(dialog.exportButton(), Qt::LeftButton);
        QCOMPARE(dialog.written(), target);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(prompt.lastText(), QStringLiteral("已导出 %1：4 帧，每帧 18 通道。").arg(target));
        QCOMPARE(progress.size(), 5); // after each frame, then 0
        QCOMPARE(progress[3], 50);
        QCOMPARE(lastProgress, 0);

        const QByteArray f = readAll(target);
        QCOMPARE(f.left(4), QByteArrayLiteral("PSEQ"));
        QCOMPARE(int(f[18]), 40);  // step time
        QCOMPARE(int(f[20]), 0);   // no compression
        QCOMPARE(int(uint8_t(f[10])), 18);
    }

    void textsFollowTheLanguage()
    {
        auto doc = fseqWiredDocument(1);
        ScriptedPrompt prompt;
        Language::setFolder(QStringLiteral(BRIGHTLOOM_RESOURCES));
        Language::setCode(Language::English);
        {
            FseqExportDialog dialog(*doc, {}, 20, prompt);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Export FSEQ sequence"));
            QCOMPARE(dialog.exportButton()->text(), QStringLiteral("Export"));
            QCOMPARE(dialog.mapTable()->horizontalHeaderItem(1)->text(), QStringLiteral("First channel"));
            QCOMPARE(dialog.mapSummary()->text(), QStringLiteral("18 channels per frame."));
        }
        Language::setCode(Language::Traditional);
        {
            FseqExportDialog dialog(*doc, {}, 20, prompt);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("導出 FSEQ 序列"));
            QCOMPARE(dialog.mapTable()->horizontalHeaderItem(1)->text(), QStringLiteral("起始通道"));
        }
        Language::setCode(Language::Chinese);
        {
            FseqExportDialog dialog(*doc, {}, 20, prompt);
            QCOMPARE(dialog.browseButton()->text(), QStringLiteral("浏览..."));
        }
    }

private:
    QTemporaryDir m_dir;
};

#include "app_test.h"
APP_TEST(FseqExportDialogTest)
#include "fseq_export_dialog_test.moc"
