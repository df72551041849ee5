#pragma once
// The program's command line: --help, --version and the course page to open
// at start ("orvanta YDS.HTM"). Parsed after QApplication has taken out Qt's
// own options (-platform, -style, ...).
#include <QString>
#include <QStringList>

struct CommandLine {
    enum class Action {
        Run,          // start, at `page` when one is named
        PrintHelp,    // `output` goes to stdout, exit 0
        PrintVersion, // likewise
        Fail,         // `output` goes to stderr, exit 1
    };

    Action action = Action::Run;
    QString page;   // the page named on the command line; empty for the index
    QString output; // help, version or error text, ending in a newline

    // `arguments` as QCoreApplication::arguments() gives them, the program
    // first.
    static CommandLine parse(const QStringList &arguments);
    // True when the arguments ask only for text (help or version), which
    // needs no window system; argv[0] is the program.
    static bool asksForTextOnly(const QStringList &arguments);

    // Prints `output` where it belongs and returns the exit code.
    int print() const;
};
