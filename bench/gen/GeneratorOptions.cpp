#include "GeneratorOptions.h"

#include "db/AppError.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace {

std::int64_t wholeNumber(const QCommandLineParser &parser, const QString &name, std::int64_t minimum)
{
    bool ok = false;
    const std::int64_t value = parser.value(name).toLongLong(&ok);
    if (!ok || value < minimum)
        throw AppError(QStringLiteral("--%1: a whole number of at least %2 is needed, not \"%3\"")
                           .arg(name)
                           .arg(minimum)
                           .arg(parser.value(name)));
    return value;
}

int smallNumber(const QCommandLineParser &parser, const QString &name, int minimum)
{
    const std::int64_t value = wholeNumber(parser, name, minimum);
    if (value > 1000000)
        throw AppError(QStringLiteral("--%1: %2 is too large").arg(name).arg(value));
    return static_cast<int>(value);
}

} // namespace

GeneratorOptions GeneratorOptions::fromArguments(const QStringList &arguments)
{
    GeneratorOptions options;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Fills a new qrt.db with sample facilities, rooms and guest stays. The same seed and options "
        "give the same rows."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("out"), QStringLiteral("Database file to create (required)."), QStringLiteral("file")},
        {QStringLiteral("facilities"), QStringLiteral("Number of facilities."), QStringLiteral("n"),
         QString::number(options.facilities)},
        {QStringLiteral("rooms-per-facility"), QStringLiteral("Rooms or houses of each facility."),
         QStringLiteral("n"), QString::number(options.roomsPerFacility)},
        {QStringLiteral("stays"), QStringLiteral("Guest stays in all."), QStringLiteral("n"),
         QString::number(options.stays)},
        {QStringLiteral("present"), QStringLiteral("Stays present on --today, exactly."), QStringLiteral("n"),
         QString::number(options.present)},
        {QStringLiteral("inactive"), QStringLiteral("How many of the facilities (the last ones) are inactive."),
         QStringLiteral("k"), QString::number(options.inactiveFacilities)},
        {QStringLiteral("regions"), QStringLiteral("Region letters P and J given to the facilities in turn."),
         QStringLiteral("pattern"), options.regionPattern},
        {QStringLiteral("today"), QStringLiteral("The day the data is made for (default: today)."),
         QStringLiteral("yyyy-mm-dd")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the random choices."), QStringLiteral("n"),
         QString::number(options.seed)},
        {QStringLiteral("force"), QStringLiteral("Replace an existing non-empty file.")},
    });
    parser.process(arguments);

    if (!parser.positionalArguments().isEmpty())
        throw AppError(QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first()));
    options.outputPath = parser.value(QStringLiteral("out"));
    if (options.outputPath.isEmpty())
        throw AppError(QStringLiteral("--out is required"));
    options.facilities = smallNumber(parser, QStringLiteral("facilities"), 1);
    options.roomsPerFacility = smallNumber(parser, QStringLiteral("rooms-per-facility"), 1);
    options.stays = wholeNumber(parser, QStringLiteral("stays"), 0);
    options.present = wholeNumber(parser, QStringLiteral("present"), 0);
    options.inactiveFacilities = smallNumber(parser, QStringLiteral("inactive"), 0);
    options.seed = static_cast<std::uint64_t>(wholeNumber(parser, QStringLiteral("seed"), 0));
    options.force = parser.isSet(QStringLiteral("force"));

    options.regionPattern = parser.value(QStringLiteral("regions"));
    if (!QRegularExpression(QStringLiteral("^[PJ]+$")).match(options.regionPattern).hasMatch())
        throw AppError(QStringLiteral("--regions: only the letters P and J are allowed"));
    if (parser.isSet(QStringLiteral("today"))) {
        options.today = QDate::fromString(parser.value(QStringLiteral("today")), Qt::ISODate);
        if (!options.today.isValid())
            throw AppError(QStringLiteral("--today: not a date of the form yyyy-mm-dd: %1")
                               .arg(parser.value(QStringLiteral("today"))));
    }
    if (options.present > options.stays)
        throw AppError(QStringLiteral("--present (%1) cannot exceed --stays (%2)").arg(options.present).arg(options.stays));
    if (options.inactiveFacilities > options.facilities)
        throw AppError(QStringLiteral("--inactive (%1) cannot exceed --facilities (%2)")
                           .arg(options.inactiveFacilities)
                           .arg(options.facilities));
    return options;
}
