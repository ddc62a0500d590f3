#include "PrintPreviewBenchmark.h"

#include "GeneratorOptions.h"
#include "SampleDataGenerator.h"
#include "SqliteShell.h"
#include "WorkClock.h"

#include "controls/DbGrid.h"
#include "data/GridPrintPreviewDialog.h"
#include "data/GridPrinter.h"
#include "data/TableExportPdf.h"
#include "data/Tdm1.h"
#include "db/AppError.h"
#include "db/Query.h"
#include "gen/FieldSetRoutines.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>

#include <algorithm>
#include "forms/TFrameMisafirler.h"

#include <cstdio>
#include <vector>

namespace {

// The guest list's own statement, as its frame sets it.
const QString kGuestListSql = QString::fromLatin1(TFrameMisafirler::kGuestSql);

void configureGuestList(Query &query)
{
    query.setSql(kGuestListSql);
    for (const char *macro : {"staticfilter", "filter", "having"})
        query.setMacro(QLatin1String(macro), QStringLiteral("1"));
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// One run of ours: the print command until the preview shows its pages.
struct PreviewRun {
    double untilPreview = 0; // reading the rows and measuring the table
    double total = 0;        // until the preview stands with all pages
    double cpu = 0;
    qint64 peakKb = 0;
    int pages = 0;
};

void runProgram(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        throw AppError(QStringLiteral("%1 failed: %2").arg(program, QString::fromLocal8Bit(process.readAllStandardError())));
}

} // namespace

PrintPreviewBenchmark::Options PrintPreviewBenchmark::fromArguments(const QStringList &arguments)
{
    Options options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &name = arguments[i];
        const QString value = arguments.value(i + 1);
        if (name == QLatin1String("--rows"))
            options.rows = value.toInt();
        else if (name == QLatin1String("--runs"))
            options.runs = value.toInt();
        else if (name == QLatin1String("--folder"))
            options.folder = value;
        else if (name == QLatin1String("--shots"))
            options.shots = value;
        else
            throw AppError(QStringLiteral("Unknown option %1 (--rows N, --runs N, --folder DIR, --shots DIR)").arg(name));
        ++i;
    }
    if (options.rows < 1 || options.runs < 1)
        throw AppError(QStringLiteral("--rows and --runs must be positive"));
    return options;
}

QString PrintPreviewBenchmark::prepareDatabase() const
{
    const QString folder = QDir(m_options.folder).filePath(QString::number(m_options.rows));
    if (!QDir().mkpath(folder))
        throw AppError(QStringLiteral("Cannot create %1").arg(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("qrt.db"));
    if (!QFileInfo::exists(path)) {
        GeneratorOptions generator;
        generator.outputPath = path;
        generator.stays = m_options.rows;
        generator.present = std::min(300, m_options.rows / 10);
        generator.force = true;
        SampleDataGenerator(generator).run();
    }
    return folder;
}

void PrintPreviewBenchmark::run()
{
    const QString folder = prepareDatabase();

    // The shell first: the program holds the file in exclusive mode once it has opened it.
    std::vector<double> shellSeconds;
    std::vector<double> shellCpu;
    std::vector<double> shellPeak;
    {
        Query statement(nullptr);
        configureGuestList(statement);
        const QString script = SqliteShell::connectionSettings() + statement.expandedSql() + QStringLiteral(";\n");
        for (int run = 0; run < m_options.runs; ++run) {
            const Measurement shell = SqliteShell().run(folder, script);
            shellSeconds.push_back(shell.seconds);
            shellCpu.push_back(shell.cpuSeconds);
            shellPeak.push_back(double(shell.peakKb));
        }
    }

    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder);
    Tdm1 module;
    Query query(module.dbMain());
    configureGuestList(query);
    DbGrid grid;
    applyFieldSetFirstShow(*module.FDT(), QStringLiteral("MISAFIR"), query, &grid);

    std::vector<PreviewRun> runs;
    for (int run = 0; run < m_options.runs; ++run) {
        query.close();
        query.open();
        PreviewRun result;
        const WorkClock clock;
        QElapsedTimer wall;
        wall.start();
        GridPrinter::setPreviewRunner([&](GridPrintPreviewDialog &preview) {
            result.untilPreview = double(wall.nsecsElapsed()) / 1e9;
            preview.show();
            QApplication::processEvents();
            result.total = double(wall.nsecsElapsed()) / 1e9;
            const Measurement used = clock.stop();
            result.cpu = used.cpuSeconds;
            result.peakKb = used.peakKb;
            result.pages = preview.previewWidget()->pageCount();
            if (run == 0 && !m_options.shots.isEmpty()) {
                QDir().mkpath(m_options.shots);
                preview.grab().save(QDir(m_options.shots).filePath(QStringLiteral("gridprint-preview.png")));
                const QString pdf = QDir(m_options.shots).filePath(QStringLiteral("gridprint.pdf"));
                TableExportPdf::write(preview.reportLayout(), pdf, preview.printer()->pageLayout());
                runProgram(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("110"),
                                                        QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                                        QStringLiteral("2"), pdf,
                                                        QDir(m_options.shots).filePath(QStringLiteral("gridprint-page"))});
            }
            preview.close();
        });
        GridPrinter().gridyazdir(&grid, QStringLiteral("Kişi Listesi"));
        GridPrinter::setPreviewRunner({});
        runs.push_back(result);
    }
    QDir::setCurrent(previous);

    std::vector<double> untilPreview, total, cpu, peak;
    for (const PreviewRun &run : runs) {
        untilPreview.push_back(run.untilPreview);
        total.push_back(run.total);
        cpu.push_back(run.cpu);
        peak.push_back(double(run.peakKb));
    }
    const double shell = median(shellSeconds);
    std::printf("## Grid print preview, guest list \"Tümü\", %d rows, %d pages (median of %d runs)\n\n",
                m_options.rows, runs.front().pages, m_options.runs);
    std::printf("| Side | Wall s | CPU s | Peak MB | Ratio to shell (wall) |\n|---|---|---|---|---|\n");
    std::printf("| sqlite3 shell: the statement to its last row | %.3f | %.3f | %.1f | 1.0 |\n", shell,
                median(shellCpu), median(shellPeak) / 1024);
    std::printf("| ours: rows read and table measured | %.3f | | | %.1f |\n", median(untilPreview),
                median(untilPreview) / shell);
    std::printf("| ours: print command until the preview stands (aim < 5 s) | %.3f | %.3f | %.1f | %.1f |\n",
                median(total), median(cpu), median(peak) / 1024, median(total) / shell);
    std::printf("\nRuns of ours (total s):");
    for (double seconds : total)
        std::printf(" %.3f", seconds);
    std::printf("\n");
}
