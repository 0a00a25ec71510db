// Times what a user waits for with a full store (32767 poles): a plot, a
// redraw, an expose, the start-up and the memory held, next to the
// straightforward way of painting the markers and filling the lists.

#include "RecordingUserDialogs.h"
#include "app/RunState.h"
#include "app/frmMainForm.h"
#include "plotting/DrawCommand.h"
#include "poles/PoleLists.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QExposeEvent>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

int g_rounds = 15;
int g_over = 0;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds of each of the rounds, after `prepare` (not timed).
double timeMedian(const std::function<void()>& prepare, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < g_rounds; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

void report(const char* name, double value, const char* unit, double target)
{
    std::printf("bench: %s %.2f %s (target %.0f %s)\n", name, value, unit, target, unit);
    if (value > target)
        ++g_over;
}

void reportPlain(const char* name, double value, const char* unit)
{
    std::printf("bench: straightforward %s %.2f %s\n", name, value, unit);
}

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// Fills the store with typed planes through the draw command's core, up to count.
void fillStore(RunState& state, int count)
{
    const char* planes[][2]
        = { { "2", "3" }, { "1", "-2" }, { "-1", "0" }, { "2", "1" }, { "3", "-2" }, { "0", "7" } };
    for (int n = state.store.PoleCount(); n < count; ++n) {
        const auto& p = planes[n % 6];
        RunDrawCommand(QString::number(n % 97 + 1), QString::fromLatin1(p[0]),
            QString::fromLatin1(p[1]), state.CrystalSystem, state.SymmetryMode, state.store);
    }
}

// Start-up as a user sees it: from starting the program until its window has
// painted, measured by running this program in probe mode.
double startupMilliseconds(const char* self)
{
    std::vector<double> times;
    const int rounds = std::max(3, g_rounds / 3);
    for (int i = 0; i < rounds; ++i) {
        QProcess probe;
        QElapsedTimer timer;
        timer.start();
        probe.start(QString::fromLocal8Bit(self), { QStringLiteral("--startup-probe") });
        if (!probe.waitForFinished(30000))
            return 1e9;
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

void straightforwardFigures(frmMainForm& window, const RunState& state)
{
    // Every marker painted with its own antialiased QPainter ellipse.
    QImage image(475, 467, QImage::Format_ARGB32_Premultiplied);
    const double discs = timeMedian([] {},
        [&] {
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setBrush(Qt::black);
            painter.setPen(QPen(Qt::black, 1));
            for (const Pole& pole : state.store.poles())
                painter.drawEllipse(QPointF(pole.PoleX / 15, pole.PoleY / 15), 2.0, 2.0);
        });
    reportPlain("markers_32767", discs, "ms");

    // Both list boxes rewritten whole on every redraw.
    QPlainTextEdit index, angles;
    index.resize(137, 467);
    angles.resize(193, 467);
    const double lists = timeMedian([] {},
        [&] {
            const PoleLists texts = BuildLists(state.store, state.CrystalSystem);
            index.setPlainText(texts.indexList);
            angles.setPlainText(texts.angleList);
        });
    reportPlain("lists_rewrite_32767", lists, "ms");
    Q_UNUSED(window);
}

} // namespace

int main(int argc, char** argv)
{
    // In probe mode the program only starts and paints its window once.
    const bool startupProbe = argc > 1 && qstrcmp(argv[1], "--startup-probe") == 0;
    if (argc > 1 && qstrcmp(argv[1], "--quick") == 0)
        g_rounds = 3;

    QApplication app(argc, argv);
    RunState state;
    RecordingUserDialogs dialogs;
    frmMainForm window(state, dialogs);
    window.show();
    while (window.fullRedrawCount() == 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (startupProbe)
        return 0;

    auto* x = window.findChild<QLineEdit*>(QStringLiteral("txtAxisX"));
    auto* y = window.findChild<QLineEdit*>(QStringLiteral("txtAxisY"));
    auto* z = window.findChild<QLineEdit*>(QStringLiteral("txtAxisZ"));
    auto* draw = window.findChild<QPushButton*>(QStringLiteral("cmdDraw"));
    auto* plotSize = window.findChild<QComboBox*>(QStringLiteral("cboPlotSize"));
    auto* clear = window.findChild<QPushButton*>(QStringLiteral("cmdClear"));
    if (!x || !y || !z || !draw || !plotSize || !clear) {
        std::printf("bench: the window lacks a control\n");
        return 1;
    }
    x->setText(QStringLiteral("3"));
    y->setText(QStringLiteral("-1"));
    z->setText(QStringLiteral("2"));

    // The 32767th plane typed and drawn, with the lists showing the other 32766.
    const double plot = timeMedian(
        [&] {
            clear->click();
            fillStore(state, PoleStore::MaxPoles - 1);
            emit plotSize->activated(plotSize->currentIndex());
        },
        [&] { draw->click(); });
    if (state.store.PoleCount() != PoleStore::MaxPoles || !dialogs.messages.isEmpty()) {
        std::printf("bench: the plot at the full store did not go through\n");
        return 1;
    }
    report("draw_command_full_store", plot, "ms", 16);

    // A pick of another plot size: the picture is painted anew, all markers included.
    int pick = 0;
    const double redraw = timeMedian([&] { plotSize->setCurrentIndex(3 + (++pick % 2)); },
        [&] { emit plotSize->activated(plotSize->currentIndex()); });
    report("full_redraw_full_store", redraw, "ms", 16);

    QWindow* handle = window.windowHandle();
    const double expose = timeMedian([] {},
        [&] {
            QExposeEvent event(QRegion(0, 0, window.width(), window.height()));
            QCoreApplication::sendEvent(handle, &event);
        });
    report("expose_full_store", expose, "ms", 8);

    // One pointer move over the picture with a pole picked: the hit test
    // among all marks and the tool tip, alternating between two marks so
    // that the text changes every time.
    QWidget* picture = window.findChild<QWidget*>(QStringLiteral("picPictureBox"));
    if (!picture) {
        std::printf("bench: the window lacks the picture\n");
        return 1;
    }
    const auto pixelOf = [&](int n) {
        const Pole& pole = state.store.at(n);
        return QPointF(std::floor(pole.PoleX / 15) + 0.5, std::floor(pole.PoleY / 15) + 0.5);
    };
    const auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButton button) {
        QMouseEvent event(type, at, picture->mapToGlobal(at), button,
            type == QEvent::MouseMove ? Qt::NoButton : button, Qt::NoModifier);
        QCoreApplication::sendEvent(picture, &event);
    };
    send(QEvent::MouseButtonPress, pixelOf(0), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, pixelOf(0), Qt::LeftButton);
    const std::array<QPointF, 2> targets { pixelOf(PoleStore::MaxPoles / 3), pixelOf(7) };
    int move = 0;
    const int rounds = g_rounds;
    g_rounds = std::max(rounds, 101);
    const double readout = timeMedian(
        [] {}, [&] { send(QEvent::MouseMove, targets[std::size_t(++move % 2)], Qt::NoButton); });
    g_rounds = rounds;
    if (window.pointerReadout().isEmpty() || window.pickedPole() < 0) {
        std::printf("bench: the pointer readout did not read the picture\n");
        return 1;
    }
    report("pointer_readout_full_store", readout, "ms", 2);

    // When the user has typed into a list, the next redraw mends the stretch
    // that differs from the store's text; no budget covers this.
    auto* indexList = window.findChild<QPlainTextEdit*>(QStringLiteral("txtIndexList"));
    const double rewrite = timeMedian([&] { indexList->appendPlainText(QStringLiteral("memo")); },
        [&] { emit plotSize->activated(plotSize->currentIndex()); });
    std::printf("bench: unbudgeted full_redraw_after_list_edit %.2f ms\n", rewrite);

    report("startup_first_paint", startupMilliseconds(argv[0]), "ms", 300);
    report("resident_memory_full_store", residentMegabytes(), "MB", 80);

    straightforwardFigures(window, state);

    if (g_over == 0)
        std::printf("bench: all within target\n");
    else
        std::printf("bench: %d over target\n", g_over);
    return 0;
}
