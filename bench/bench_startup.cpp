// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up time of the whole program: from starting its process to its main window shown, as the
// program reports it when QMAR_QUIT_WHEN_SHOWN is set (it then leaves). First start with a fresh
// program folder (seeding included), then again with the folder in place. The reference is a bare
// Qt program started the same way: this bench itself with --bare, showing an empty main window.
// On the display in DISPLAY, else on Qt's offscreen platform.
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QByteArray Marker = "main window shown";

// Milliseconds from starting program to its marker line; negative when it never came.
double startToShown(const QString& program, const QStringList& args, const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    QByteArray out;
    double ms = -1;
    while (ms < 0 && p.waitForReadyRead(30000)) {
        out += p.readAllStandardOutput();
        if (out.contains(Marker)) ms = t.nsecsElapsed() / 1e6;
    }
    if (!p.waitForFinished(30000)) p.kill();
    return ms;
}

// The reference: a main window and nothing else.
int bare(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.showMaximized();
    QTimer shown;
    QObject::connect(&shown, &QTimer::timeout, &app, [&] {
        if (!w.windowHandle() || !w.windowHandle()->isExposed()) return;
        std::puts(Marker.constData());
        std::fflush(stdout);
        app.quit();
    });
    shown.start(1);
    return app.exec();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && qstrcmp(argv[1], "--bare") == 0) return bare(argc, argv);
    QCoreApplication app(argc, argv);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains("DISPLAY") && !env.contains("WAYLAND_DISPLAY")) env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QMAR_QUIT_WHEN_SHOWN", "1");
    const QString program = QStringLiteral(QMAR_PROGRAM);
    std::printf("start-up as a whole process, exec to main window shown (%s), median of 5\n",
                env.contains("QT_QPA_PLATFORM") ? qPrintable(env.value("QT_QPA_PLATFORM")) : "display");

    std::vector<double> first, again, reference;
    for (int run = 0; run < 5; ++run) {
        QTemporaryDir home;
        env.insert("XDG_DATA_HOME", home.path());
        first.push_back(startToShown(program, {}, env));
        again.push_back(startToShown(program, {}, env));
        reference.push_back(startToShown(QCoreApplication::applicationFilePath(), {"--bare"}, env));
    }
    if (*std::min_element(first.begin(), first.end()) < 0 || *std::min_element(again.begin(), again.end()) < 0) {
        std::printf("the program never reported its main window shown\n");
        return 1;
    }
    const double ref = median(reference);
    std::printf("  %-44s %8.1f ms\n", "bare Qt main window (the reference)", ref);
    std::printf("  %-44s %8.1f ms  (%.1fx the reference)\n", "first start, seeding the program folder",
                median(first), median(first) / ref);
    std::printf("  %-44s %8.1f ms  (%.1fx the reference)\n", "again, the program folder in place", median(again),
                median(again) / ref);
    return 0;
}
