#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {
const QStringList kHelpNames{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")};
const QStringList kVersionNames{QStringLiteral("v"), QStringLiteral("version")};

QString programName(const QStringList &arguments)
{
    return arguments.isEmpty() ? QStringLiteral("orvanta") : arguments.first().section(QLatin1Char('/'), -1);
}
} // namespace

CommandLine CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Waves and oscillations: course pages beside the models they describe."));
    // Our own help and version options, so that parsing never ends the
    // process and the texts can be checked.
    const QCommandLineOption help(kHelpNames, QStringLiteral("Displays help on commandline options."));
    const QCommandLineOption version(kVersionNames, QStringLiteral("Displays version information."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("page"),
                                 QStringLiteral("Course page to open at start, for example YDS.HTM (the double "
                                                "slit). Without it the course opens at its index."),
                                 QStringLiteral("[page]"));

    CommandLine result;
    const QString tryHelp = QStringLiteral("Try '%1 --help' for more information.\n").arg(programName(arguments));
    if (!parser.parse(arguments)) {
        result.action = Action::Fail;
        result.output = parser.errorText() + QLatin1Char('\n') + tryHelp;
        return result;
    }
    if (parser.isSet(help)) {
        result.action = Action::PrintHelp;
        result.output = parser.helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.action = Action::PrintVersion;
        result.output = QCoreApplication::applicationName() + QLatin1Char(' ')
                        + QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return result;
    }
    const QStringList pages = parser.positionalArguments();
    if (pages.size() > 1) {
        result.action = Action::Fail;
        result.output = QStringLiteral("Only one page can be opened at start, not %1.\n").arg(pages.size()) + tryHelp;
        return result;
    }
    if (!pages.isEmpty())
        result.page = pages.first();
    return result;
}

bool CommandLine::asksForTextOnly(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--"))
            break;
        QString name = a;
        while (name.startsWith(QLatin1Char('-')))
            name.remove(0, 1);
        if (name.size() < a.size() && (kHelpNames.contains(name) || kVersionNames.contains(name)))
            return true;
    }
    return false;
}

int CommandLine::print() const
{
    const QByteArray text = output.toLocal8Bit();
    std::FILE *stream = action == Action::Fail ? stderr : stdout;
    std::fputs(text.constData(), stream);
    std::fflush(stream);
    return action == Action::Fail ? 1 : 0;
}
