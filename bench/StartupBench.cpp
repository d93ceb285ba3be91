// Prints how long the program takes from process start to its main window's first paint, and
// its peak memory, beside the same figures of a bare Qt window of the same size on the same
// platform plugin, started in the same run, and the ratios of the two.
//     lumotrix-startup-bench [RUNS]      (default 5 runs of each, medians reported)
// Each start is a process of its own: the program's is this benchmark again (--child, which
// links what the program links and starts as main() does), the bare window's is
// lumotrix-bare-window beside it. So both pay for loading, relocation and static
// initialisation, and their peak memories stay apart. The bare window is started a second time
// showing one label, for reference only: the targets are against the bare window.

#include "FirstPaint.h"
#include "app/HoravelForm.h"
#include "app/Startup.h"
#include "widgets/Application.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace lumotrix::bench;

// What a child reports on its one line of output.
struct TStart {
    double MainMs = 0;  // main() entered
    double PaintMs = 0; // first paint finished
    double CpuMs = 0;   // CPU time used until then
    double PeakMB = 0;
    int Width = 0;
    int Height = 0;
    std::string Platform;
};

int RunProgramChild(double mainMs, int argc, char** argv) {
    std::unique_ptr<lumotrix::TProgram> program = lumotrix::StartProgram(argc, argv);
    program->MainForm->Show();
    ReportFirstPaint(mainMs, program->MainForm->Widget());
    return 0;
}

// Starts `args[0]` with `args` and reads its report; `started` is taken just before the
// process is created.
bool StartChild(const std::vector<std::string>& args, double& started, TStart& result) {
    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    started = NowMs();
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    char buffer[512];
    for (ssize_t n; spawned == 0 && (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(n));
    close(out[0]);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return false;
    char platform[64] = {};
    if (std::sscanf(text.c_str(), "%lf %lf %lf %lf %d %d %63s", &result.MainMs, &result.PaintMs,
                    &result.CpuMs, &result.PeakMB, &result.Width, &result.Height, platform) != 7)
        return false;
    result.Platform = platform;
    result.MainMs -= started;
    result.PaintMs -= started;
    return true;
}

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const double mainMs = NowMs();
    if (argc == 2 && std::strcmp(argv[1], "--child") == 0)
        return RunProgramChild(mainMs, argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    // Both children inherit the one platform plugin.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    const QString selfPath = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    const std::string self = selfPath.toStdString();
    const std::string bareWindow =
        QFileInfo(selfPath).dir().filePath(QStringLiteral("lumotrix-bare-window")).toStdString();
    // The bare window once more with one line of text: what any window pays for text alone
    // (the font configuration's start-up, a font, shaping), shown beside the target's baseline.
    std::vector<double> paint[3], cpu[3], toMain[3], peak[3];
    TStart program, bare, text;
    for (int run = 0; run < runs; ++run) {
        double started = 0;
        if (!StartChild({self, "--child"}, started, program)) {
            std::fprintf(stderr, "the program's start failed\n");
            return 1;
        }
        // Same size as the program's window, taken from its report.
        const std::string width = std::to_string(program.Width);
        const std::string height = std::to_string(program.Height);
        if (!StartChild({bareWindow, width, height}, started, bare) ||
            !StartChild({bareWindow, width, height, "Horavel"}, started, text)) {
            std::fprintf(stderr, "the bare window's start failed\n");
            return 1;
        }
        int i = 0;
        for (const TStart* s : {&program, &bare, &text}) {
            paint[i].push_back(s->PaintMs);
            cpu[i].push_back(s->CpuMs);
            toMain[i].push_back(s->MainMs);
            peak[i].push_back(s->PeakMB);
            ++i;
        }
    }

    std::printf("platform %s, window %dx%d, %d starts of each, medians\n", program.Platform.c_str(),
                program.Width, program.Height, runs);
    std::printf("%-32s %10s %12s %8s %8s %12s %8s\n", "", "program", "bare window", "ratio",
                "target", "with a label", "ratio");
    const auto line = [](const char* what, const std::vector<double>* v, const char* target) {
        const double p = Median(v[0]), b = Median(v[1]), t = Median(v[2]);
        std::printf("%-32s %10.1f %12.1f %8.2f %8s %12.1f %8.2f\n", what, p, b, p / b, target, t,
                    p / t);
    };
    line("process start to first paint ms", paint, "<= 1.5");
    line("CPU time to first paint ms", cpu, "");
    line("process start to main() ms", toMain, "");
    line("peak memory MB", peak, "<= 1.3");
    return 0;
}
