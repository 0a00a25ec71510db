// Tens of thousands of random user actions on the real window, in process
// and offscreen, each followed by the checks that must hold whatever the user
// did. Built with the sanitizers; `make soak` runs it.
//
//   SOAK_SEED     the random seed (default 7125); a failure names it
//   SOAK_ACTIONS  how many actions (default 20000)
//
// A failure prints the step, the seed and the last actions; running again
// with the same seed and at least that many actions repeats it.

#include "Soak.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

// Qt's warnings name real faults (a text cursor out of range, a painter on
// no device); only those the offscreen platform gives for nothing pass.
QStringList g_warnings;
void RecordMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    // The offscreen platform cannot raise or resize a tool tip's window.
    if (text.startsWith(QLatin1String("This plugin does not support")))
        return;
    g_warnings << text;
}

Soak* g_soak = nullptr;

#if defined(__SANITIZE_ADDRESS__)
void PrintReplayOnDeath()
{
    if (g_soak)
        g_soak->printReplay();
}

#endif

} // namespace

#if defined(__SANITIZE_ADDRESS__)
// The same options when the soak is run by hand, to replay a seed; the
// environment's own still win.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=1:abort_on_error=1:halt_on_error=1:handle_abort=1";
}
extern "C" const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1:abort_on_error=1";
}
#endif

int Soak::run()
{
    qInstallMessageHandler(RecordMessage);
    SOAK_CHECK(m_dir.isValid(), QStringLiteral("no temporary folder"));
    m_form = std::make_unique<frmMainForm>(m_state, m_dialogs);
    m_form->show();
    SOAK_CHECK(
        QTest::qWaitForWindowExposed(m_form.get()), QStringLiteral("the window did not show"));
    m_boxes = { child<QLineEdit>("txtAxisX"), child<QLineEdit>("txtAxisY"),
        child<QLineEdit>("txtAxisZ") };
    m_lists = { child<ResultListBox>("txtIndexList"), child<ResultListBox>("txtAngleList") };
    m_plotSize = child<QComboBox>("cboPlotSize");
    m_lineWidth = child<QComboBox>("cboLineWidth");
    m_picture = child<PictureBox>("picPictureBox");
    m_direction = child<QAction>("mnuEditDirection");
    m_family = child<QAction>("mnuEditFamily");
    for (const char* name : { "mnuSelectCubeSym", "mnuSelectCubeNonSym", "mnuSelectHexSym",
             "mnuSelectHexNonSym", "mnuSelectFree" })
        m_viewItems << child<QAction>(name);
    // Files that cannot be written: a missing folder, and a folder that is a file.
    QFile plain(m_dir.filePath(QStringLiteral("plain")));
    SOAK_CHECK(plain.open(QIODevice::WriteOnly) && plain.write("plain") == 5,
        QStringLiteral("cannot write %1").arg(plain.fileName()));
    plain.close();

    m_redraws = m_form->fullRedrawCount();
    m_shown = { m_state.scene, m_state.display };
    std::printf("soak: seed %" PRIu64 ", %d actions\n", uint64_t(m_seed), m_actions);
    std::fflush(stdout);

    QElapsedTimer clock;
    clock.start();
    const int progressEvery = std::max(1000, m_actions / 20);
    for (m_step = 0; m_step < m_actions; ++m_step) {
        int roll = below(m_weightTotal);
        int kind = 0;
        while (roll >= Kinds[std::size_t(kind)].weight)
            roll -= Kinds[std::size_t(kind++)].weight;
        m_pictureChanged = false;
        m_history.push_back(std::to_string(m_step) + " " + Kinds[std::size_t(kind)].name);
        if (m_history.size() > 40)
            m_history.pop_front();
        const qint64 started = clock.nsecsElapsed();
        act(Kind(kind));
        process();
        ++m_counts[std::size_t(kind)];

        if (!g_warnings.isEmpty())
            fail(QStringLiteral("Qt warned: ") + g_warnings.join(QStringLiteral(" | ")));
        if (m_form->fullRedrawCount() != m_redraws || m_pictureChanged) {
            m_redraws = m_form->fullRedrawCount();
            m_shown = { m_state.scene, m_state.display };
            m_listsTyped = false;
        }
        checkInvariants();
        if ((m_step + 1) % PictureCheckEvery == 0)
            checkPicture();
        m_nanoseconds[std::size_t(kind)] += clock.nsecsElapsed() - started;
        if ((m_step + 1) % progressEvery == 0) {
            std::printf("soak: %d actions, %.0f s, store %d\n", m_step + 1,
                double(clock.elapsed()) / 1000.0, int(m_state.store.PoleCount()));
            std::fflush(stdout);
        }
    }
    checkPicture();
    const double seconds = double(clock.elapsed()) / 1000.0;
    m_form.reset();
    process();

    std::printf("soak: %d actions in %.1f s (seed %" PRIu64 "), peak resident memory %.1f MB\n",
        m_actions, seconds, uint64_t(m_seed), double(PeakResidentKb()) / 1024.0);
    std::printf("soak: actions by kind, and the seconds they took with their checks:\n");
    for (std::size_t k = 0; k < Kinds.size(); ++k)
        std::printf(
            "  %-28s %8d %9.1f s\n", Kinds[k].name, m_counts[k], double(m_nanoseconds[k]) / 1e9);
    std::printf("soak: passed\n");
    return 0;
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // 終了 hides the window, which the soak then shows again.
    app.setQuitOnLastWindowClosed(false);
    bool ok = true;
    const uint64_t seed = qEnvironmentVariableIsSet("SOAK_SEED")
        ? uint64_t(qEnvironmentVariable("SOAK_SEED").toULongLong(&ok))
        : 7125;
    bool countOk = true;
    const int actions = qEnvironmentVariableIsSet("SOAK_ACTIONS")
        ? qEnvironmentVariable("SOAK_ACTIONS").toInt(&countOk)
        : 20000;
    if (!ok || !countOk || actions < 0) {
        std::fprintf(stderr, "soak: SOAK_SEED and SOAK_ACTIONS must be whole numbers\n");
        return 2;
    }
    Soak soak(seed, actions);
    g_soak = &soak;
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(PrintReplayOnDeath);
#endif
    const int status = soak.run();
    g_soak = nullptr;
    return status;
}
