// The network output dialog and the live output: the channel map table as
// the values change, its headers shown whole, the refusal of values and
// wirings that cannot be sent, the frames a loopback receiver gets for
// edits and playback steps, the settings and CID kept in the settings file,
// the status read-out, and the menu entry.

#include "common/command_ids.h"
#include "editor_context.h"
#include "language_test_support.h"
#include "links/network_commands.h"
#include "links/network_output.h"
#include "links/network_output_dialog.h"
#include "network/network_sender.h"
#include "settings/language.h"
#include "settings/profile_file.h"
#include "shell/main_window.h"
#include "shell/playback_controller.h"
#include "shell_test_support.h"
#include "wired_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QApplication>
#include <QUuid>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

namespace {

// A 2 x 3 grid (made with three frames); port 1 drives row 0 and port 3
// row 1 (port 2 has no lamp). Point i of frame f: (10 i + f, 20 + i, 30 + f).
void wireNetworkDocument(Document &doc)
{
    wireDocument(doc, {.ports = {0, 2}, .pointsPerPort = 3}, [](int f, int i) {
        return makeColor(unsigned(10 * i + f), unsigned(20 + i), unsigned(30 + f));
    });
}

// The 18 channels a frame of the document above sends, in RGB order.
QByteArray networkChannelsOf(int f)
{
    QByteArray c;
    for (int i = 0; i < 6; ++i) {
        c += char(10 * i + f);
        c += char(20 + i);
        c += char(30 + f);
    }
    return c;
}

QStringList tableRow(QTableWidget *table, int row)
{
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c)
        if (!table->isColumnHidden(c))
            cells << (table->item(row, c) ? table->item(row, c)->text() : QString());
    return cells;
}

// DDP frames as a receiver on loopback gets them: the data of each packet
// with the push flag (one packet a frame here).
class DdpLoopback
{
public:
    DdpLoopback() { m_socket.bind(QHostAddress::LocalHost, 0); }
    int port() const { return m_socket.localPort(); }
    // Polls while the event loop runs, so that timers (playback) go on.
    QList<QByteArray> frames(int atLeast)
    {
        QList<QByteArray> got;
        QElapsedTimer clock;
        clock.start();
        while (got.size() < atLeast && clock.elapsed() < 3000) {
            while (m_socket.hasPendingDatagrams()) {
                QByteArray d(int(m_socket.pendingDatagramSize()), '\0');
                m_socket.readDatagram(d.data(), d.size());
                if (d.size() > 10 && (uint8_t(d[0]) & 0x01))
                    got << d.mid(10);
            }
            if (got.size() < atLeast)
                QTest::qWait(2);
        }
        return got;
    }

private:
    QUdpSocket m_socket;
};

} // namespace

class NetworkOutputTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { useBuiltInChineseTexts(m_dir); }
    void cleanup() { restoreDefaultTexts(); }

    void dialogShowsTheChannelMapAsValuesChange()
    {
        EditorContext c(2, 3, 3);
        wireNetworkDocument(c.doc);
        NetworkOutputSettings s;
        s.layout.pixelsPerUniverse = 2;
        NetworkOutputDialog dialog(c.doc, s, c.prompt);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("网络输出"));
        QCOMPARE(dialog.mapSummary()->text(), QStringLiteral("共 18 通道，4 个 Universe。"));
        QTableWidget *table = dialog.mapTable();
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(tableRow(table, 0), (QStringList{"1", "3", "1 / 1", "2 / 3"}));
        QCOMPARE(tableRow(table, 1), (QStringList{"3", "3", "3 / 1", "4 / 3"}));

        dialog.portStartsUniverseBox()->setChecked(false);
        dialog.startUniverseBox()->setValue(10);
        QCOMPARE(tableRow(table, 1), (QStringList{"3", "3", "11 / 4", "12 / 6"}));
        QCOMPARE(dialog.mapSummary()->text(), QStringLiteral("共 18 通道，3 个 Universe。"));

        // DDP: one range of byte offsets, no universes to choose.
        dialog.protocolBox()->setCurrentIndex(int(NetworkProtocol::Ddp));
        QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("字节偏移"));
        QCOMPARE(tableRow(table, 1), (QStringList{"3", "3", "9"}));
        QVERIFY(!dialog.startUniverseBox()->isEnabled());
        QVERIFY(!dialog.multicastBox()->isEnabled());
        QVERIFY(dialog.hostEdit()->isEnabled());
        QCOMPARE(dialog.portBox()->specialValueText(), QStringLiteral("协议默认 (4048)"));

        dialog.orderBox()->setCurrentText(QStringLiteral("BGR"));
        dialog.hostEdit()->setText(QStringLiteral(" 10.0.0.7 "));
        const NetworkOutputSettings chosen = dialog.settings();
        QCOMPARE(chosen.protocol, NetworkProtocol::Ddp);
        QCOMPARE(chosen.host, QStringLiteral("10.0.0.7"));
        QCOMPARE(chosen.layout.order.name(), QStringLiteral("bgr"));
        QCOMPARE(chosen.layout.startUniverse, 10);
        QVERIFY(!chosen.layout.portStartsUniverse);
    }

    void dialogRefusesWhatCannotBeSent()
    {
        EditorContext c(2, 3, 1);
        NetworkOutputSettings s;
        s.multicast = false;
        NetworkOutputDialog dialog(c.doc, s, c.prompt);
        QCOMPARE(dialog.mapSummary()->text(), QStringLiteral("没有线路定义：不发送任何数据。"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(c.prompt.texts(), QStringList{NetworkOutputText::hostMissing()});
        QCOMPARE(c.prompt.lastText(), QStringLiteral("请输入接收设备的地址（主机名或 IP 地址）。"));

        dialog.hostEdit()->setText(QStringLiteral("10.0.0.7"));
        dialog.startUniverseBox()->setValue(0);
        dialog.accept();
        QCOMPARE(c.prompt.lastText(), QStringLiteral("无法发送 Universe 0：此协议的 Universe 范围是 1 到 63999。"));
        dialog.protocolBox()->setCurrentIndex(int(NetworkProtocol::ArtNet));
        dialog.accept(); // Art-Net has universe 0
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(c.prompt.shown.size(), size_t(2));
    }

    void theMapsHeadersAreShownWholeInEitherLanguage()
    {
        useShippedChineseTexts();
        for (int code : {int(Language::English), int(Language::Chinese)}) {
            Language::setCode(code);
            EditorContext c(2, 3, 1);
            wireNetworkDocument(c.doc);
            for (NetworkProtocol protocol : {NetworkProtocol::E131, NetworkProtocol::Ddp}) {
                NetworkOutputSettings s;
                s.protocol = protocol;
                s.layout.startUniverse = 63000; // five-digit universes in the cells
                NetworkOutputDialog dialog(c.doc, s, c.prompt);
                dialog.show();
                QVERIFY(QTest::qWaitForWindowExposed(&dialog));
                QTableWidget *table = dialog.mapTable();
                const QHeaderView *header = table->horizontalHeader();
                const QFontMetrics metrics(header->font());
                int shown = 0;
                for (int col = 0; col < table->columnCount(); ++col) {
                    if (table->isColumnHidden(col))
                        continue;
                    ++shown;
                    const QString text = table->horizontalHeaderItem(col)->text();
                    QVERIFY2(metrics.horizontalAdvance(text) <= header->sectionSize(col),
                             qPrintable(QStringLiteral("%1: %2 px in %3").arg(text).arg(metrics.horizontalAdvance(text))
                                            .arg(header->sectionSize(col))));
                    for (int row = 0; row < table->rowCount(); ++row)
                        QVERIFY(table->fontMetrics().horizontalAdvance(table->item(row, col)->text())
                                <= header->sectionSize(col));
                }
                QCOMPARE(shown, protocol == NetworkProtocol::Ddp ? 3 : 4);
                // Nothing to scroll sideways: the columns fit the table.
                QVERIFY(header->length() <= table->viewport()->width());
            }
        }
    }

    void aWiringPastTheProtocolsUniversesIsRefusedBeforeSending()
    {
        EditorContext c(2, 3, 1);
        wireNetworkDocument(c.doc); // ports 1 and 3, a universe each
        NetworkOutputSettings s;
        s.enabled = true;
        s.protocol = NetworkProtocol::ArtNet;
        s.host = QStringLiteral("127.0.0.1");
        s.layout.startUniverse = 32767; // Art-Net's last
        NetworkOutputDialog dialog(c.doc, s, c.prompt);
        const QString refusal = QStringLiteral("线路需要用到 Universe 32768，但此协议的 Universe 范围是 0 到 32767。");
        QCOMPARE(dialog.mapSummary()->text(), QStringLiteral("共 18 通道，2 个 Universe。\n") + refusal);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(c.prompt.texts(), QStringList{refusal});
        // Switching the output off is always possible.
        dialog.enableBox()->setChecked(false);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        // Ports sharing a universe fit.
        dialog.setResult(QDialog::Rejected);
        dialog.enableBox()->setChecked(true);
        dialog.portStartsUniverseBox()->setChecked(false);
        QCOMPARE(dialog.mapSummary()->text(), QStringLiteral("共 18 通道，1 个 Universe。"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(c.prompt.shown.size(), size_t(1));

        // The live output: settings that would need too many universes do
        // not start it, and a wiring edit that outgrows them while it runs
        // switches it off; either time the user is told.
        Language::setCode(Language::English);
        const QString english =
            QStringLiteral("The wiring needs universes up to 32768, but this protocol carries universes 0 to 32767.");
        NetworkOutput output(c.ctx, QString());
        output.apply(s);
        QVERIFY(!output.sending());
        QVERIFY(!output.settings().enabled);
        QTRY_COMPARE(c.prompt.lastText(), english);
        s.layout.startUniverse = 32766;
        output.apply(s);
        QVERIFY(output.sending());
        QCOMPARE(c.prompt.shown.size(), size_t(2));
        WiringPixel extra; // port 5, off the grid: it stays black but takes its universe
        extra.port = 4;
        extra.column = 9;
        extra.row = 9;
        c.doc.wiring().append(extra);
        c.doc.wiringEdited();
        QVERIFY(!output.sending());
        QVERIFY(!output.settings().enabled);
        QTRY_COMPARE(c.prompt.shown.size(), size_t(3));
        QCOMPARE(c.prompt.lastText(), english);
    }

    void editsAndPlaybackStepsReachTheReceiver()
    {
        Language::setCode(Language::English);
        EditorContext c(2, 3, 3);
        wireNetworkDocument(c.doc);
        c.doc.goToFrame(0);
        const QString path = m_dir.filePath(QStringLiteral("live.ini"));
        DdpLoopback receiver;
        NetworkOutput output(c.ctx, path);
        QVERIFY(!output.sending());

        NetworkOutputSettings s;
        s.enabled = true;
        s.protocol = NetworkProtocol::Ddp;
        s.host = QStringLiteral("127.0.0.1");
        s.port = receiver.port();
        s.framesPerSecond = NetworkOutputSettings::kMaxFramesPerSecond;
        output.apply(s);
        QVERIFY(output.sending());
        // Switching on sends the frame on screen.
        QCOMPARE(receiver.frames(1), QList<QByteArray>{networkChannelsOf(0)});

        // A playback step makes the next frame current.
        QTest::qWait(10);
        c.doc.goToFrame(2);
        QCOMPARE(receiver.frames(1), QList<QByteArray>{networkChannelsOf(2)});

        // An edit of the frame on screen goes out as a live preview.
        QTest::qWait(10);
        c.doc.currentFrame()->set(1, 0, 3, makeColor(1, 2, 3));
        c.doc.frameContentEdited();
        QByteArray edited = networkChannelsOf(2);
        edited.replace(3, 3, QByteArray("\x01\x02\x03", 3));
        QCOMPARE(receiver.frames(1), QList<QByteArray>{edited});

        QTRY_COMPARE(output.sender()->counts().sent, uint64_t(3));
        QCOMPARE(output.statusText(), QStringLiteral("DDP to 127.0.0.1: 3 frames sent, 0 dropped"));

        // The values and the CID are in the settings file, and the next run
        // starts sending with them.
        const ProfileFile file = ProfileFile::load(path);
        QCOMPARE(file.readInt(QStringLiteral("Network"), QStringLiteral("Enabled"), 0), 1);
        QCOMPARE(file.readInt(QStringLiteral("Network"), QStringLiteral("Port"), 0), receiver.port());
        const QString cid = file.readText(QStringLiteral("Network"), QStringLiteral("Cid"), QString());
        QVERIFY(!QUuid(cid).isNull());
        NetworkOutput next(c.ctx, path);
        QVERIFY(next.sending());
        QCOMPARE(next.settings().cid, cid);

        s.enabled = false;
        output.apply(s);
        QVERIFY(!output.sending());
        QCOMPARE(output.statusText(), QString());
    }

    void aHostThatCannotBeFoundSwitchesTheOutputOff()
    {
        EditorContext c(2, 3, 3);
        wireNetworkDocument(c.doc);
        NetworkOutput output(c.ctx, QString());
        NetworkOutputSettings s;
        s.enabled = true;
        s.protocol = NetworkProtocol::ArtNet;
        s.host = QStringLiteral("no such host!");
        output.apply(s);
        QTRY_VERIFY(!output.sending());
        QCOMPARE(c.prompt.lastText(), QStringLiteral("找不到主机 no such host!，网络输出已关闭。"));
        QVERIFY(!output.settings().enabled);
    }

    void playbackStepsGoOutAndTheStatusBarSaysSo()
    {
        TestEditor e;
        e.makeFrames(2, 3, 3); // frame k: every point red k + 1
        Document &doc = e.doc();
        doc.wiring().setKind(CircuitryKind::Led);
        for (int i = 0; i < 6; ++i) {
            WiringPixel p;
            p.column = i % 3;
            p.row = i / 3;
            p.pixel = i;
            doc.wiring().append(p);
        }
        doc.wiringEdited();
        auto *output = e.window().findChild<NetworkOutput *>();
        QVERIFY(output);
        QVERIFY(!output->statusIndicator()->isVisible());

        DdpLoopback receiver;
        NetworkOutputSettings s = output->settings();
        s.enabled = true;
        s.protocol = NetworkProtocol::Ddp;
        s.host = QStringLiteral("127.0.0.1");
        s.port = receiver.port();
        s.framesPerSecond = NetworkOutputSettings::kMaxFramesPerSecond;
        output->apply(s);
        const auto allRed = [](int red) {
            QByteArray c;
            for (int i = 0; i < 6; ++i)
                c += QByteArray(1, char(red)) + QByteArray(2, '\0');
            return c;
        };
        QCOMPARE(receiver.frames(1), QList<QByteArray>{allRed(1)});

        // Playback: the first step shows the frame that is already out,
        // each later one sends the frame it makes current, in play order.
        QVERIFY(e.commands().trigger(Cmd::Play));
        const QList<QByteArray> played = receiver.frames(4);
        QCOMPARE(played, (QList<QByteArray>{allRed(2), allRed(3), allRed(1), allRed(2)}));
        QTRY_VERIFY(output->statusIndicator()->isVisible());
        const QRegularExpression status(QStringLiteral("^DDP to 127\\.0\\.0\\.1: (\\d+) frames sent, 0 dropped$"));
        QTRY_VERIFY(status.match(output->statusIndicator()->text()).captured(1).toInt() >= 5);
        QVERIFY(e.commands().trigger(Cmd::Stop));
    }

    void theBuildMenuOpensTheDialog()
    {
        EditorContext c(2, 3, 1);
        std::unique_ptr<NetworkOutput> output(registerNetworkCommands(c.ctx)); // no window to own it here
        QVERIFY(c.commands.menuItems(MenuTitle::Build, false).contains(Cmd::NetworkOutput));
        QCOMPARE(c.commands.text(Cmd::NetworkOutput, Language::Chinese), QStringLiteral("网络输出..."));
        QCOMPARE(c.commands.text(Cmd::NetworkOutput, Language::English), QStringLiteral("Network Output..."));
        QString opened;
        QTimer::singleShot(0, [&opened] {
            if (QWidget *dialog = QApplication::activeModalWidget()) {
                opened = dialog->objectName();
                dialog->close();
            }
        });
        QVERIFY(c.commands.trigger(Cmd::NetworkOutput));
        QCOMPARE(opened, QStringLiteral("NetworkOutputDialog"));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(NetworkOutputTest)
#include "network_output_test.moc"
