// Runs the benchmarks of the program as users run it and prints one table
// of ratios, each against a reference measured in the same run:
//   - start-up (time to the main window's first frame) and memory 3 s after
//     start, against a bare Qt main window (bench_bare_qt), with the probe
//     bench/startup/StartupProbe.cpp loaded into both;
//   - for every kind of the kinds table (bench_app kinds): the page switch
//     from the index, one frame against the clear-and-show floor, for
//     static models one control change against the same build with OpenGL
//     switched off, and for animated ones CPU while running;
//   - the damped oscillator's chart marker against the floor, and its rate
//     at speeds 50 and 200;
//   - the electromagnetic wave's frames per second in the program against
//     a bare viewer of the same size.
// Run it on the display to be measured: bench/run-all does it under Xvfb.
// Options: --rounds N (start-up and page-switch repeats, default 7 and 3).
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <csignal>
#include <optional>

namespace {

QString g_bin;
QTemporaryDir *g_home = nullptr;
int g_homes = 0;

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double median(QList<double> v)
{
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// An environment for one program run: a settings home of its own (a first
// run), and OpenGL switched off on request.
QProcessEnvironment environment(bool openGLOff)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString home = g_home->filePath(QStringLiteral("home%1").arg(++g_homes));
    QDir().mkpath(home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
    if (openGLOff)
        env.insert(QStringLiteral("QT_XCB_GL_INTEGRATION"), QStringLiteral("none"));
    return env;
}

using Values = QHash<QString, double>;

// Runs bin/bench_app with the arguments; its "key value" lines.
std::optional<Values> benchApp(const QStringList &args, bool openGLOff = false, int timeoutMs = 60000)
{
    QProcess p;
    p.setProcessEnvironment(environment(openGLOff));
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(g_bin + QStringLiteral("/bench_app"), args);
    if (!p.waitForFinished(timeoutMs) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "bench_app %s failed (exit %d)\n%s\n", qPrintable(args.join(' ')), p.exitCode(),
                     p.readAllStandardError().constData());
        p.kill();
        p.waitForFinished();
        return std::nullopt;
    }
    Values v;
    for (const QByteArray &line : p.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 2)
            v.insert(QString::fromLatin1(parts[0]), parts[1].toDouble());
    }
    return v;
}

struct StartFigures {
    double firstFrameMs = 0;
    double rssMb = 0;
    int libraries = 0;
    int threads = 0;
};

// Starts a program with the start-up probe loaded, notes when its main
// window first painted and, 3 s after the start, its resident memory,
// mapped libraries and threads; then ends it.
std::optional<StartFigures> startOnce(const QString &program, bool openGLOff)
{
    QProcess p;
    QProcessEnvironment env = environment(openGLOff);
    env.insert(QStringLiteral("LD_PRELOAD"), g_bin + QStringLiteral("/liborvanta_startupprobe.so"));
    const qint64 t0 = nowNs();
    env.insert(QStringLiteral("ORVANTA_BENCH_T0_NS"), QString::number(t0));
    p.setProcessEnvironment(env);
    p.start(program, {});
    if (!p.waitForStarted(10000))
        return std::nullopt;
    StartFigures f;
    QByteArray err;
    QElapsedTimer since;
    since.start();
    const QRegularExpression re(QStringLiteral("first-frame-ns (\\d+)"));
    while (f.firstFrameMs == 0 && since.elapsed() < 20000) {
        p.waitForReadyRead(100);
        err += p.readAllStandardError();
        const auto m = re.match(QString::fromLatin1(err));
        if (m.hasMatch())
            f.firstFrameMs = m.captured(1).toDouble() / 1e6;
    }
    const qint64 wait = 3000 - (nowNs() - t0) / 1000000;
    if (wait > 0)
        QThread::msleep(ulong(wait));
    const QString proc = QStringLiteral("/proc/%1/").arg(p.processId());
    QFile status(proc + QStringLiteral("status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                f.rssMb = line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
            else if (line.startsWith("Threads:"))
                f.threads = line.mid(8).trimmed().toInt();
        }
    }
    QFile maps(proc + QStringLiteral("maps"));
    if (maps.open(QIODevice::ReadOnly)) {
        QSet<QByteArray> libs;
        for (const QByteArray &line : maps.readAll().split('\n')) {
            const int slash = line.indexOf('/');
            if (slash > 0 && line.contains(".so"))
                libs.insert(line.mid(slash));
        }
        f.libraries = int(libs.size());
    }
    p.kill();
    p.waitForFinished(5000);
    if (f.firstFrameMs == 0)
        return std::nullopt;
    return f;
}

struct Row {
    QString what, measured, reference, ratio, goal, met;
};

QList<Row> g_rows;

QString ms(double v)
{
    return QStringLiteral("%1 ms").arg(v, 0, 'f', v < 10 ? 2 : 0);
}

QString num(double v, int decimals = 2)
{
    return QString::number(v, 'f', decimals);
}

void row(const QString &what, const QString &measured, const QString &reference, double ratio,
         const QString &goal = {}, std::optional<bool> met = std::nullopt)
{
    g_rows.append({what, measured, reference, ratio > 0 ? num(ratio) : QStringLiteral("-"), goal,
                   met ? (*met ? QStringLiteral("yes") : QStringLiteral("NO")) : QString()});
}

QString machine()
{
    QString cpu;
    QFile info(QStringLiteral("/proc/cpuinfo"));
    if (info.open(QIODevice::ReadOnly))
        for (const QByteArray &line : info.readAll().split('\n'))
            if (line.startsWith("model name")) {
                cpu = QString::fromLatin1(line.mid(line.indexOf(':') + 1).trimmed());
                break;
            }
    QString load;
    QFile avg(QStringLiteral("/proc/loadavg"));
    if (avg.open(QIODevice::ReadOnly))
        load = QString::fromLatin1(avg.readAll().split(' ').mid(0, 3).join(' '));
    return QStringLiteral("%1; %2 cores; %3; Qt %4; platform %5; load average at start %6")
        .arg(cpu)
        .arg(QThread::idealThreadCount())
        .arg(QSysInfo::prettyProductName(), QString::fromLatin1(qVersion()),
             qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default")), load);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    g_bin = QCoreApplication::applicationDirPath();
    QTemporaryDir home;
    g_home = &home;
    const QStringList args = app.arguments();
    const int roundsArg = args.indexOf(QStringLiteral("--rounds"));
    const int startRounds = roundsArg > 0 ? args.value(roundsArg + 1).toInt() : 7;
    const int switchRounds = roundsArg > 0 ? std::max(1, startRounds / 2) : 3;
    const QString started = QDateTime::currentDateTime().toString(Qt::ISODate);
    const QString machineText = machine();
    std::fprintf(stderr, "measuring on %s\n", qPrintable(machineText));

    // ---- start-up and memory
    QMap<QString, QList<StartFigures>> starts;
    const QList<std::pair<QString, bool>> programs = {
        {QStringLiteral("bench_bare_qt"), false}, {QStringLiteral("orvanta"), false}, {QStringLiteral("orvanta"), true}};
    for (int r = 0; r < startRounds; ++r)
        for (const auto &[name, off] : programs)
            if (auto f = startOnce(g_bin + QLatin1Char('/') + name, off))
                starts[name + (off ? QStringLiteral(" (OpenGL off)") : QString())].append(*f);
    auto startMedian = [&](const QString &key, auto field) {
        QList<double> v;
        for (const StartFigures &f : starts.value(key))
            v.append(double(f.*field));
        return median(v);
    };
    const double bareStart = startMedian(QStringLiteral("bench_bare_qt"), &StartFigures::firstFrameMs);
    const double appStart = startMedian(QStringLiteral("orvanta"), &StartFigures::firstFrameMs);
    const double offStart = startMedian(QStringLiteral("orvanta (OpenGL off)"), &StartFigures::firstFrameMs);
    const double bareRss = startMedian(QStringLiteral("bench_bare_qt"), &StartFigures::rssMb);
    const double appRss = startMedian(QStringLiteral("orvanta"), &StartFigures::rssMb);
    const double offRss = startMedian(QStringLiteral("orvanta (OpenGL off)"), &StartFigures::rssMb);
    if (bareStart > 0 && appStart > 0) {
        row(QStringLiteral("Start to main window (first frame)"), ms(appStart),
            QStringLiteral("bare Qt %1; Orvanta with OpenGL off %2").arg(ms(bareStart), ms(offStart)),
            appStart / bareStart, QStringLiteral("≤ 2 × bare Qt"), appStart <= 2 * bareStart);
        row(QStringLiteral("Memory 3 s after start (RSS)"), QStringLiteral("%1 MB").arg(num(appRss, 1)),
            QStringLiteral("bare Qt %1 MB; Orvanta with OpenGL off %2 MB").arg(num(bareRss, 1), num(offRss, 1)),
            appRss / bareRss, QStringLiteral("≤ 1.5 × bare Qt"), appRss <= 1.5 * bareRss);
        row(QStringLiteral("Libraries mapped / threads 3 s after start"),
            QStringLiteral("%1 / %2").arg(startMedian(QStringLiteral("orvanta"), &StartFigures::libraries))
                .arg(startMedian(QStringLiteral("orvanta"), &StartFigures::threads)),
            QStringLiteral("bare Qt %1 / %2").arg(startMedian(QStringLiteral("bench_bare_qt"), &StartFigures::libraries))
                .arg(startMedian(QStringLiteral("bench_bare_qt"), &StartFigures::threads)),
            0);
    } else {
        row(QStringLiteral("Start to main window"), QStringLiteral("not measured"), QString(), 0);
    }

    // ---- the kinds table
    struct Kind {
        int kind;
        QString page, what;
    };
    QList<Kind> kinds;
    {
        QProcess p;
        p.setProcessEnvironment(environment(false));
        p.start(g_bin + QStringLiteral("/bench_app"), {QStringLiteral("kinds")});
        p.waitForFinished(60000);
        for (const QByteArray &line : p.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> parts = line.trimmed().split(' ');
            if (parts.size() == 4 && parts[0] == "kind")
                kinds.append({parts[1].toInt(), QString::fromLatin1(parts[2]), QString::fromLatin1(parts[3])});
        }
    }

    // ---- page switches (first visit, a fresh process each)
    for (const Kind &k : kinds) {
        if (k.what == QLatin1String("none"))
            continue;
        QList<double> on, off, cpu;
        for (int r = 0; r < switchRounds; ++r) {
            if (auto v = benchApp({QStringLiteral("switch"), QString::number(k.kind)})) {
                on.append(v->value(QStringLiteral("switch_wall_ms")));
                cpu.append(v->value(QStringLiteral("switch_cpu_ms")));
            }
            if (auto v = benchApp({QStringLiteral("switch"), QString::number(k.kind)}, true))
                off.append(v->value(QStringLiteral("switch_wall_ms")));
        }
        if (on.isEmpty())
            continue;
        const bool twoD = k.what == QLatin1String("static") || k.what == QLatin1String("animated");
        const double m = median(on);
        row(QStringLiteral("Page switch index → %1 (kind %2, %3), first visit").arg(k.page).arg(k.kind).arg(k.what),
            QStringLiteral("%1 wall, %2 CPU").arg(ms(m), ms(median(cpu))),
            QStringLiteral("OpenGL off %1").arg(ms(median(off))), median(off) > 0 ? m / median(off) : 0,
            twoD ? QStringLiteral("≤ 50 ms") : QString(), twoD ? std::optional<bool>(m <= 50) : std::nullopt);
    }

    // ---- one frame of each model against the floor; control changes
    for (const Kind &k : kinds) {
        const bool isStatic = k.what == QLatin1String("static");
        if (!isStatic && k.what != QLatin1String("animated"))
            continue;
        const auto v = benchApp({QStringLiteral("frame"), QString::number(k.kind)});
        if (!v)
            continue;
        const double frame = v->value(QStringLiteral("frame_cpu_ms"));
        const double floor = v->value(QStringLiteral("floor_cpu_ms"));
        row(QStringLiteral("%1 of kind %2 (%3) against the floor")
                .arg(isStatic ? QStringLiteral("Control change") : QStringLiteral("Animation frame"))
                .arg(k.kind)
                .arg(k.page),
            ms(frame) + QStringLiteral(" CPU"), QStringLiteral("left pane cleared and shown %1").arg(ms(floor)),
            floor > 0 ? frame / floor : 0);
        if (isStatic) {
            if (const auto o = benchApp({QStringLiteral("frame"), QString::number(k.kind)}, true)) {
                const double offFrame = o->value(QStringLiteral("frame_cpu_ms"));
                row(QStringLiteral("Control change of kind %1 (%2) against OpenGL off").arg(k.kind).arg(k.page),
                    ms(frame) + QStringLiteral(" CPU"), QStringLiteral("OpenGL off %1").arg(ms(offFrame)),
                    offFrame > 0 ? frame / offFrame : 0, QStringLiteral("≤ 1.5"),
                    offFrame > 0 && frame <= 1.5 * offFrame);
            }
        }
    }

    // ---- animated models running
    for (const Kind &k : kinds) {
        if (k.what != QLatin1String("animated") && k.what != QLatin1String("scene"))
            continue;
        if (k.kind == 16)
            continue; // turned by its scroll bar, no clock
        const QList<int> speeds = k.kind == 9 ? QList<int>{50, 200} : QList<int>{0};
        for (int speed : speeds) {
            const auto v = benchApp({QStringLiteral("run"), QString::number(k.kind), QString::number(speed)});
            if (!v)
                continue;
            const double cpu = v->value(QStringLiteral("cpu_percent"));
            if (k.kind == 9) {
                const double rate = v->value(QStringLiteral("samples_per_s"));
                row(QStringLiteral("Damped oscillator running at speed %1").arg(speed),
                    QStringLiteral("%1 % of a core; %2 samples/s, gaps %3 ± %4 ms, %5 paints/s")
                        .arg(num(cpu, 1), num(rate, 1), num(v->value(QStringLiteral("sample_gap_mean_ms")), 1),
                             num(v->value(QStringLiteral("sample_gap_sd_ms")), 1),
                             num(v->value(QStringLiteral("paints_per_s")), 0)),
                    QStringLiteral("%1 samples/s asked").arg(speed), rate / speed,
                    speed == 50 ? QStringLiteral("≤ 25 % CPU, rate 1.0") : QStringLiteral("rate 1.0"),
                    (speed != 50 || cpu <= 25) && std::abs(rate / speed - 1) < 0.05);
            } else if (k.what == QLatin1String("scene")) {
                const double fps = v->value(QStringLiteral("frames_per_s"));
                const int w = int(v->value(QStringLiteral("viewer_width")));
                const int h = int(v->value(QStringLiteral("viewer_height")));
                const auto bare = benchApp({QStringLiteral("emwave"), QString::number(w), QString::number(h)});
                const double bareFps = bare ? bare->value(QStringLiteral("frames_per_s")) : 0;
                row(QStringLiteral("EM wave running in the program (%1 × %2)").arg(w).arg(h),
                    QStringLiteral("%1 frames/s, %2 % CPU").arg(num(fps, 1), num(cpu, 0)),
                    QStringLiteral("bare viewer of that size %1 frames/s").arg(num(bareFps, 1)),
                    bareFps > 0 ? fps / bareFps : 0, QStringLiteral("matches (≥ 0.9, or the display's rate)"),
                    bareFps > 0 && (fps >= 0.9 * bareFps || fps >= 55));
            } else {
                row(QStringLiteral("Kind %1 (%2) running").arg(k.kind).arg(k.page),
                    QStringLiteral("%1 % of a core, %2 ticks/s, %3 paints/s")
                        .arg(num(cpu, 1), num(v->value(QStringLiteral("ticks_per_s")), 0),
                             num(v->value(QStringLiteral("paints_per_s")), 0)),
                    QString(), 0);
            }
        }
    }

    // ---- the chart marker
    if (const auto v = benchApp({QStringLiteral("marker")})) {
        const double m = v->value(QStringLiteral("marker_cpu_ms"));
        const double floor = v->value(QStringLiteral("floor_cpu_ms"));
        row(QStringLiteral("Chart marker step (damped oscillator)"), ms(m) + QStringLiteral(" CPU"),
            QStringLiteral("left pane cleared and shown %1").arg(ms(floor)), floor > 0 ? m / floor : 0,
            QStringLiteral("≤ 1.5 × floor"), floor > 0 && m <= 1.5 * floor);
    }

    std::printf("Measured %s on: %s\n\n", qPrintable(started), qPrintable(machineText));
    std::printf("| What | Measured | Reference (same run) | Ratio | Goal | Met |\n|---|---|---|---|---|---|\n");
    for (const Row &r : g_rows)
        std::printf("| %s | %s | %s | %s | %s | %s |\n", qPrintable(r.what), qPrintable(r.measured),
                    qPrintable(r.reference), qPrintable(r.ratio), qPrintable(r.goal), qPrintable(r.met));
    return 0;
}
