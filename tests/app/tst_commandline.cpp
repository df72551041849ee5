// The command line: help, version, an optional start page, and the
// mistakes a user can make typing it.
#include "app/CommandLine.h"

#include <QtTest>

Q_DECLARE_METATYPE(CommandLine::Action)

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(QStringLiteral("Orvanta"));
        QCoreApplication::setApplicationVersion(QStringLiteral("1.2.3.4"));
    }

    void parse_data()
    {
        using A = CommandLine::Action;
        QTest::addColumn<QStringList>("arguments"); // after the program
        QTest::addColumn<CommandLine::Action>("action");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("output"); // a part of it; empty: no output
        QTest::newRow("nothing") << QStringList{} << A::Run << "" << "";
        QTest::newRow("a page") << QStringList{"YDS.HTM"} << A::Run << "YDS.HTM" << "";
        QTest::newRow("a page after --") << QStringList{"--", "-odd.htm"} << A::Run << "-odd.htm" << "";
        QTest::newRow("--version") << QStringList{"--version"} << A::PrintVersion << "" << "Orvanta 1.2.3.4\n";
        QTest::newRow("-v with a page") << QStringList{"YDS.HTM", "-v"} << A::PrintVersion << ""
                                        << "Orvanta 1.2.3.4\n";
        QTest::newRow("--help") << QStringList{"--help"} << A::PrintHelp << "" << " [options] [page]\n";
        QTest::newRow("-h names the page") << QStringList{"-h"} << A::PrintHelp << "" << "YDS.HTM";
        QTest::newRow("help before version") << QStringList{"--version", "--help"} << A::PrintHelp << "" << "--version";
        QTest::newRow("unknown option") << QStringList{"--fullscreen"} << A::Fail << ""
                                        << "Unknown option 'fullscreen'.\nTry 'orvanta --help'";
        QTest::newRow("two pages") << QStringList{"YDS.HTM", "SOUND.HTM"} << A::Fail << ""
                                   << "Only one page can be opened at start, not 2.";
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Action, action);
        QFETCH(QString, page);
        QFETCH(QString, output);
        const CommandLine c = CommandLine::parse(QStringList{"/usr/bin/orvanta"} + arguments);
        QCOMPARE(c.action, action);
        QCOMPARE(c.page, page);
        if (output.isEmpty())
            QVERIFY(c.output.isEmpty());
        else
            QVERIFY2(c.output.contains(output), qPrintable(c.output));
        QVERIFY(c.output.isEmpty() || c.output.endsWith('\n'));
    }

    // Only help and version may start without a window system.
    void textOnly_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("textOnly");
        QTest::newRow("nothing") << QStringList{} << false;
        QTest::newRow("a page") << QStringList{"YDS.HTM"} << false;
        QTest::newRow("--help") << QStringList{"--help"} << true;
        QTest::newRow("-h") << QStringList{"-h"} << true;
        QTest::newRow("-v after a page") << QStringList{"YDS.HTM", "-v"} << true;
        QTest::newRow("--version") << QStringList{"--version"} << true;
        QTest::newRow("a page called help") << QStringList{"help"} << false;
        QTest::newRow("after --") << QStringList{"--", "--help"} << false;
        QTest::newRow("Qt's own option") << QStringList{"-platform", "offscreen"} << false;
    }
    void textOnly()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, textOnly);
        QCOMPARE(CommandLine::asksForTextOnly(QStringList{"orvanta"} + arguments), textOnly);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
