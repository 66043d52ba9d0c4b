// brightloom-controller-sim: a simulated LED controller on a pseudo-terminal.
//
//   brightloom-controller-sim [--answer accept|again|garbage|silent|hangup]
//       [--from K] [--out DIR] [--rows R --cols C] [--link PATH] [--timeout S]
//
// Prints "PORT /dev/pts/N" on the first line of standard output: give that
// path to the editor's serial port dialog or to brightloom-cli --port. It
// answers one transfer, then writes into DIR (default: the current folder)
// payload.bin (the payload bytes in order), header.bin and report.txt, and
// for a frame send with --rows and --cols one PNG per frame
// (frame-0001.png ...). Exit 0 when the transfer arrived whole and sound,
// 1 otherwise (a fault, a hang-up, or the time-out).

#include "simulated_controller.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_interrupted = 0;
void onSignal(int) { g_interrupted = 1; }

int usage(const char *why)
{
    std::fprintf(stderr,
                 "brightloom-controller-sim: %s\n"
                 "usage: brightloom-controller-sim [--answer accept|again|garbage|silent|hangup] [--from K]\n"
                 "       [--out DIR] [--rows R --cols C] [--link PATH] [--timeout SECONDS]\n",
                 why);
    return 2;
}

bool writeFile(const QString &path, const std::vector<uint8_t> &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly)
           && f.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size())) == qint64(bytes.size());
}

void writeFrames(const QDir &out, const std::vector<uint8_t> &payload, int rows, int cols)
{
    const size_t frameBytes = size_t(rows) * size_t(cols) * 3;
    for (size_t f = 0; (f + 1) * frameBytes <= payload.size(); ++f) {
        QImage image(cols, rows, QImage::Format_RGB32);
        const uint8_t *at = payload.data() + f * frameBytes;
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < cols; ++x, at += 3)
                image.setPixel(x, y, qRgb(at[0], at[1], at[2]));
        image.save(out.filePath(QStringLiteral("frame-%1.png").arg(f + 1, 4, 10, QLatin1Char('0'))));
    }
}

} // namespace

int main(int argc, char **argv)
{
    SimulatedController::Options options;
    QString outDir = QStringLiteral(".");
    QString link;
    int rows = 0, cols = 0, timeout = 120;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        const char *value = hasValue ? argv[i + 1] : "";
        if (arg == "--help" || arg == "-h") {
            usage("a simulated LED controller on a pseudo-terminal");
            return 0;
        }
        if (!hasValue)
            return usage(("missing value for " + arg).c_str());
        ++i;
        if (arg == "--answer") {
            const std::string v = value;
            if (v == "accept")
                options.behaviour = SimulatedController::Behaviour::Accept;
            else if (v == "again")
                options.behaviour = SimulatedController::Behaviour::Again;
            else if (v == "garbage")
                options.behaviour = SimulatedController::Behaviour::Garbage;
            else if (v == "silent")
                options.behaviour = SimulatedController::Behaviour::Silent;
            else if (v == "hangup")
                options.behaviour = SimulatedController::Behaviour::HangUp;
            else
                return usage("unknown answer");
        } else if (arg == "--from") {
            options.from = std::atoi(value);
        } else if (arg == "--out") {
            outDir = QString::fromLocal8Bit(value);
        } else if (arg == "--rows") {
            rows = std::atoi(value);
        } else if (arg == "--cols") {
            cols = std::atoi(value);
        } else if (arg == "--link") {
            link = QString::fromLocal8Bit(value);
        } else if (arg == "--timeout") {
            timeout = std::atoi(value);
        } else {
            return usage(("unknown option " + arg).c_str());
        }
    }
    if (rows < 0 || cols < 0 || rows > 4096 || cols > 4096 || timeout <= 0)
        return usage("rows and columns go up to 4096, the time-out must be positive");

    SimulatedController controller(options);
    std::string error;
    if (!controller.start(&error)) {
        std::fprintf(stderr, "brightloom-controller-sim: %s\n", error.c_str());
        return 1;
    }
    if (!link.isEmpty()) {
        QFile::remove(link);
        if (!QFile::link(QString::fromStdString(controller.portPath()), link))
            std::fprintf(stderr, "brightloom-controller-sim: cannot make the link %s\n", qPrintable(link));
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::printf("PORT %s\n", controller.portPath().c_str());
    std::fflush(stdout);

    bool done = false;
    for (int waited = 0; !done && !g_interrupted && waited < timeout * 1000; waited += 100)
        done = controller.waitUntilDone(100);
    // Let a last repetition of the final packet get its answer.
    if (done)
        usleep(200 * 1000);
    controller.stop();
    if (!link.isEmpty())
        QFile::remove(link);

    const SimulatedController::Record r = controller.record();
    const QDir out(outDir);
    out.mkpath(QStringLiteral("."));
    writeFile(out.filePath(QStringLiteral("payload.bin")), r.payload);
    writeFile(out.filePath(QStringLiteral("header.bin")), r.header);
    if (!r.programUpdate && rows > 0 && cols > 0)
        writeFrames(out, r.payload, rows, cols);
    QFile reportFile(out.filePath(QStringLiteral("report.txt")));
    if (reportFile.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QTextStream report(&reportFile);
        report << "transfer " << (r.programUpdate ? "program-update" : "frame-send") << '\n'
               << "complete " << (r.complete ? "yes" : "no") << '\n'
               << "hung-up " << (r.hungUp ? "yes" : "no") << '\n'
               << "headers " << r.headerSends << '\n'
               << "data-packets " << r.dataSends << '\n'
               << "payload-bytes " << r.payload.size() << '\n';
        for (const std::string &f : r.faults)
            report << "fault " << QString::fromStdString(f) << '\n';
    }
    return r.complete && r.faults.empty() ? 0 : 1;
}
