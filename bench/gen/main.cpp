// selvane-gen: fills a new qrt.db with sample data for trying out and measuring the program.
#include "db/AppError.h"
#include "GeneratorOptions.h"
#include "SampleDataGenerator.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("selvane-gen"));
    try {
        const GeneratorOptions options = GeneratorOptions::fromArguments(QCoreApplication::arguments());
        const GenerationSummary summary = SampleDataGenerator(options).run();
        std::printf("%s: %lld facilities, %lld rooms, %lld stays (%lld present on %s, %lld future, %lld without "
                    "departure) in %.2f s\n",
                    qPrintable(options.outputPath), static_cast<long long>(summary.facilities),
                    static_cast<long long>(summary.rooms), static_cast<long long>(summary.stays),
                    static_cast<long long>(summary.presentToday), qPrintable(options.today.toString(Qt::ISODate)),
                    static_cast<long long>(summary.futureStays), static_cast<long long>(summary.openStays),
                    summary.seconds);
        return 0;
    } catch (const AppError &error) {
        std::fprintf(stderr, "selvane-gen: %s\n", error.what());
        return 1;
    }
}
